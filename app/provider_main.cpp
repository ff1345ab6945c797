// The desktop's search provider as a program of its own, which the session
// bus starts: it loads Qt Core and Qt D-Bus alone, not the libraries of the
// windows, so that its first answer comes sooner and it holds less memory
// than `vornel --search-provider`, which does the same.
#include "app/search_provider.h"

int main(int argc, char* argv[]) {
    return vornel::runSearchProvider(argc, argv);
}
