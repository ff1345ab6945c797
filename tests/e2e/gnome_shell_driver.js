// What gnome_shell.sh does in the shell, evaluated there once through
// org.gnome.Shell.Eval; each later call is one short Eval of these methods.
// PROVIDER_ID is replaced by the desktop id that the installed .ini names.
(() => {
    const { Clutter, GLib, St } = imports.gi;
    const Main = imports.ui.main;
    const searchView = () => Main.overview._overview._controls._searchController._searchResults;
    const provider = () => searchView()._providers.find(p => p.id === 'PROVIDER_ID');

    globalThis.vornelTest = {
        // The desktop ids of the search providers that the shell loaded from
        // .ini files, one a line.
        remoteProviders() {
            return searchView()._providers.filter(p => p.isRemoteProvider)
                .map(p => p.id).join('\n');
        },

        // Types a query into the overview's search entry, as the user does
        // after the Super key; the entry keeps the keyboard's focus.
        search(text) {
            Main.overview.show();
            Main.overview.searchEntry.set_text(text);
            Main.overview.searchEntry.clutter_text.grab_key_focus();
        },

        // null while the search runs; then the provider's results as shown,
        // one a line: id, name and description, TAB-separated.
        shownResults() {
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
        pressKey(name) {
            if (!this.keyboard) {
                this.keyboard = Clutter.get_default_backend().get_default_seat()
                    .create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
            }
            const time = GLib.get_monotonic_time();
            this.keyboard.notify_keyval(time, Clutter[`KEY_${name}`], Clutter.KeyState.PRESSED);
            this.keyboard.notify_keyval(time + 1000, Clutter[`KEY_${name}`],
                Clutter.KeyState.RELEASED);
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
