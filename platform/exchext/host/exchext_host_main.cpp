// exchext-host: loads a mail-client extension library and drives it the way the mail client
// does, printing what the extension adds and says. For trying an extension by hand:
//   exchext-host LIBRARY [--context N]... [--version HEX] [--press] [--about]
// After --press it stays, as a mail client stays open after a click, and unloads the extension
// only when the user ends it (Enter, the end of its input, Ctrl+C, SIGTERM or SIGHUP).
#include "platform/exchext/ExchMessageBox.h"
#include "platform/exchext/host/EndRequest.h"
#include "platform/exchext/host/ExtensionSite.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace torvane::exchext;

namespace {

struct Options {
    std::string library;
    std::vector<ULONG> contexts;
    ULONG version = kHostBuildVersion;
    bool press = false;
    bool about = false;
};

const char* resultName(HRESULT result)
{
    switch (result) {
    case S_OK:
        return "S_OK";
    case S_FALSE:
        return "S_FALSE";
    case E_NOINTERFACE:
        return "E_NOINTERFACE";
    default:
        return "error";
    }
}

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--context" && i + 1 < argc)
            options.contexts.push_back(ULONG(std::strtoul(argv[++i], nullptr, 0)));
        else if (arg == "--version" && i + 1 < argc)
            options.version = ULONG(std::strtoul(argv[++i], nullptr, 16));
        else if (arg == "--press")
            options.press = true;
        else if (arg == "--about")
            options.about = true;
        else if (options.library.empty() && !arg.starts_with("--"))
            options.library = arg;
        else
            return false;
    }
    if (options.contexts.empty())
        options.contexts = {EECONTEXT_VIEWER, EECONTEXT_SEARCHVIEWER};
    return !options.library.empty();
}

// A picture as text, one character per pixel, so a button can be looked at in a terminal.
void printImage(const HostToolbar::Image& image)
{
    static const char shades[] = ".:-=+*#%@";
    for (int y = 0; y < image.height; ++y) {
        std::printf("      ");
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[std::size_t(y * image.width + x)];
            const unsigned luma = (((p >> 16) & 0xff) * 3 + ((p >> 8) & 0xff) * 6 + (p & 0xff)) / 10;
            std::putchar((p >> 24) == 0 ? ' ' : shades[8 - luma * 8 / 255]);
        }
        std::putchar('\n');
    }
}

void runContext(const ExtensionLibrary& library, const Options& options, ULONG context)
{
    SiteSetup setup;
    setup.context = context;
    setup.buildVersion = options.version;
    setup.toolbars = {ToolbarSetup{EETBID_STANDARD, 20, true, 20}};
    ExtensionSite site(library, setup);

    std::printf("context %u\n", context);
    if (!site.create()) {
        std::printf("  entry point gave no extension\n");
        return;
    }
    const HRESULT installed = site.install();
    std::printf("  Install: %s\n", resultName(installed));
    if (installed != S_OK || !site.queryInterfaces())
        return;
    std::printf("  InstallCommands: %s\n", resultName(site.installCommands()));
    for (const HostMenu::Item& item : site.menu().items())
        std::printf("  menu %s: %s (%lu)\n", site.menu().title().c_str(),
                    item.isSeparator() ? "----" : item.text.c_str(), static_cast<unsigned long>(item.commandId));
    for (const ExtensionSite::Button& button : site.extensionButtons()) {
        TBBUTTON record{};
        std::string text;
        std::printf("  button %u on toolbar %u: %s", button.index, button.tbid,
                    resultName(site.buttonInfo(button.tbid, button.index, record, text)));
        std::printf(" \"%s\" command %d image %d\n", text.c_str(), record.idCommand, record.iBitmap);
        const HostToolbar* toolbar = site.toolbar(0);
        if (toolbar && record.iBitmap >= 0 && std::size_t(record.iBitmap) < toolbar->images().size())
            printImage(toolbar->images()[std::size_t(record.iBitmap)]);
    }
    for (UINT command : site.extensionCommands()) {
        std::string status;
        std::string tooltip;
        site.helpText(command, EECQHT_STATUS, status);
        site.helpText(command, EECQHT_TOOLTIP, tooltip);
        std::printf("  command %u: status \"%s\", tooltip \"%s\"\n", command, status.c_str(), tooltip.c_str());
        if (options.press)
            std::printf("  DoCommand: %s\n", resultName(site.command(command)));
        if (options.about)
            std::printf("  Help: %s\n", resultName(site.help(command)));
    }
    site.initMenu();
    site.selectionChange();
    site.objectChange();
    site.resetToolbar(EETBID_STANDARD);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s LIBRARY [--context N]... [--version HEX] [--press] [--about]\n", argv[0]);
        return 2;
    }
    setMessageBoxSink([](const MessageBoxRequest& box) {
        std::printf("  message box \"%s\" (owner %llu, type 0x%x):\n    %s\n", box.caption.c_str(),
                    static_cast<unsigned long long>(box.owner), box.type, box.text.c_str());
        return IDOK;
    });
    // Armed before the first press, so that a Ctrl+C while the viewers are still being driven
    // ends the host through the unload too.
    std::optional<EndRequest> endRequest;
    if (options.press)
        endRequest.emplace();
    std::string error;
    auto library = ExtensionLibrary::open(options.library, &error);
    if (!library) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    for (ULONG context : options.contexts)
        runContext(*library, options, context);
    if (endRequest) {
        std::printf("Press Enter to unload the extension and end.\n");
        std::fflush(stdout);
        endRequest->wait();
    }
    std::fflush(stdout);
    library->unload();
    std::printf("unloaded\n");
    return 0;
}
