// What gnome_shell.sh does in the shell, evaluated there once through
// org.gnome.Shell.Eval; each later call is one short Eval of these methods.
// PROVIDER_ID is replaced by the desktop id that the installed .ini names.
(() => {
    const { Clutter, GLib, Shell, St } = imports.gi;
    const Main = imports.ui.main;
    const searchView = () => Main.overview._overview._controls._searchController._searchResults;
    const provider = () => searchView()._providers.find(p => p.id === 'PROVIDER_ID');

    // The shell loads its providers afresh whenever the installed
    // applications change (another program's install is enough); a search
    // under way then shows nothing and is typed again.
    let reloads = 0;
    Shell.AppSystem.get_default().connect('installed-changed', () => reloads++);

    globalThis.vornelTest = {
        // The desktop ids of the search providers that the shell loaded from
        // .ini files, one a line.
        remoteProviders() {
            return searchView()._providers.filter(p => p.isRemoteProvider)
                .map(p => p.id).join('\n');
        },

        // Types a query into the overview's search entry, as the user does
        // after the Super key; the entry keeps the keyboard's focus. False
        // while the overview opens or closes, which would clear the entry.
        search(text) {
            if (Main.overview.animationInProgress)
                return false;
            Main.overview.show();
            this.reloads = reloads;
            Main.overview.searchEntry.set_text('');
            Main.overview.searchEntry.set_text(text);
            Main.overview.searchEntry.clutter_text.grab_key_focus();
            return true;
        },

        // null while the search for `text` runs, false where the entry no
        // longer holds it or the providers were loaded afresh; then the
        // provider's results as shown, one a line: id, name and description,
        // TAB-separated.
        shownResults(text) {
            if (Main.overview.searchEntry.get_text() !== text || reloads !== this.reloads)
                return false;
            if (searchView().searchInProgress)
                return null;
            const display = provider()?.display;
            if (!display?.visible)
                return '';
            return display._content.get_children()
                .map(r => [r.metaInfo.id, r.metaInfo.name, r.metaInfo.description].join('\t'))
                .join('\n');
        },

        // Presses and releases a key (Clutter.KEY_<name>) on a virtual
        // keyboard of the shell's seat, as a real keyboard's key arrives.
        // False, and no key, where the providers were loaded afresh since
        // the last search: its results are gone.
        pressKey(name) {
            if (reloads !== this.reloads)
                return false;
            if (!this.keyboard) {
                this.keyboard = Clutter.get_default_backend().get_default_seat()
                    .create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
            }
            const time = GLib.get_monotonic_time();
            this.keyboard.notify_keyval(time, Clutter[`KEY_${name}`], Clutter.KeyState.PRESSED);
            this.keyboard.notify_keyval(time + 1000, Clutter[`KEY_${name}`],
                Clutter.KeyState.RELEASED);
            return true;
        },

        // Clicks the provider's icon beside its results, which asks it to
        // open its own search with the words typed. False where the
        // providers were loaded afresh since the last search.
        clickProviderIcon() {
            if (reloads !== this.reloads)
                return false;
            provider().display.providerInfo.emit('clicked', 1);
            return true;
        },

        // The shell's own clipboard: set it, then ask for its text, which
        // `clipboard` holds once it has arrived.
        setClipboard(text) {
            St.Clipboard.get_default().set_text(St.ClipboardType.CLIPBOARD, text);
        },
        clipboard: null,
        readClipboard() {
            this.clipboard = null;
            St.Clipboard.get_default().get_text(St.ClipboardType.CLIPBOARD,
                (_clipboard, text) => (this.clipboard = text ?? ''));
        },
    };
})();
