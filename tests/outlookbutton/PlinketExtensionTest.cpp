// The extension's objects as the mail client meets them: installing per context and version,
// the menu item and the toolbar button, help texts, the about box, interfaces and counts.
#include "tests/outlookbutton/PlinketTestSupport.h"

#include <cstring>
#include <set>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

using namespace torvane::exchext;
using torvane::testing::PlinketTest;

namespace {

constexpr const char* kItemText = "Torvane Appointments";

struct InstallCase {
    const char* name;
    ULONG version;
    ULONG context;
    HRESULT expected;
};

class PlinketInstall : public PlinketTest, public ::testing::WithParamInterface<InstallCase> {
};

TEST_P(PlinketInstall, TakesPartOnlyInViewersOfTheMajorVersion)
{
    SiteSetup setup;
    setup.buildVersion = GetParam().version;
    setup.context = GetParam().context;
    ExtensionSite& viewer = site(setup);
    ASSERT_TRUE(viewer.create());
    EXPECT_EQ(viewer.install(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlinketInstall,
    ::testing::Values(InstallCase{"Viewer", 0x000D0F5C, EECONTEXT_VIEWER, S_OK},
                      InstallCase{"SearchViewer", 0x000D0001, EECONTEXT_SEARCHVIEWER, S_OK},
                      InstallCase{"RemoteViewer", 0x000D0F5C, EECONTEXT_REMOTEVIEWER, S_FALSE},
                      InstallCase{"Session", 0x000D0F5C, EECONTEXT_SESSION, S_FALSE},
                      InstallCase{"OtherContext", 0x000D0F5C, 9, S_FALSE},
                      InstallCase{"OlderHost", 0x000C0F5C, EECONTEXT_VIEWER, S_FALSE},
                      InstallCase{"NewerHost", 0x000E0000, EECONTEXT_SEARCHVIEWER, S_FALSE},
                      InstallCase{"MajorInLowBits", 0x0000000D, EECONTEXT_VIEWER, S_FALSE}),
    [](const auto& info) { return std::string(info.param.name); });

// Two standard toolbars (ids 1) among others: the last one in the host's array gets the button.
SiteSetup viewerWithToolbars(ULONG context)
{
    SiteSetup setup;
    setup.context = context;
    setup.firstFreeCommandId = 1000;
    setup.toolbars = {ToolbarSetup{EETBID_STANDARD, 5, true, 3}, ToolbarSetup{3, 0, true, 0},
                      ToolbarSetup{EETBID_STANDARD, 9, true, 7}, ToolbarSetup{2, 2, true, 1}};
    return setup;
}

void expectMenuItemAdded(const ExtensionSite& viewer, UINT commandId)
{
    const auto& items = viewer.menu().items();
    ASSERT_EQ(items.size(), 3u); // the host's own item, then ours
    EXPECT_TRUE(items[1].isSeparator());
    EXPECT_FALSE(items[2].isSeparator());
    EXPECT_EQ(items[2].text, kItemText);
    EXPECT_EQ(items[2].commandId, commandId);
    EXPECT_EQ(viewer.extensionCommands(), std::vector<UINT>{commandId});
}

TEST_F(PlinketTest, MainViewerGetsTheItemAndAButtonOnTheLastStandardToolbar)
{
    ExtensionSite& viewer = site(viewerWithToolbars(EECONTEXT_VIEWER));
    ASSERT_TRUE(viewer.open());
    expectMenuItemAdded(viewer, 1000);

    const auto& entries = viewer.toolbarEntries();
    EXPECT_EQ(entries[0].itbbBase, 5u);
    EXPECT_EQ(entries[1].itbbBase, 0u);
    EXPECT_EQ(entries[2].itbbBase, 10u);
    EXPECT_EQ(entries[3].itbbBase, 2u);
    EXPECT_EQ(viewer.toolbar(0)->images().size(), 3u);
    ASSERT_EQ(viewer.toolbar(2)->images().size(), 8u);

    TBBUTTON record{};
    std::string text;
    ASSERT_EQ(viewer.buttonInfo(EETBID_STANDARD, 9, record, text), S_OK);
    EXPECT_EQ(record.iBitmap, 7); // the first image after the host's seven
    EXPECT_EQ(record.idCommand, 1000);
    EXPECT_EQ(record.fsState, TBSTATE_ENABLED);
    EXPECT_EQ(record.fsStyle, TBSTYLE_BUTTON);
    EXPECT_EQ(record.dwData, 0u);
    EXPECT_EQ(record.iString, -1);
    EXPECT_EQ(text, "Torvane Appointments Button");

    ASSERT_EQ(viewer.buttonInfo(EETBID_STANDARD, 9, record, text, 8), S_OK);
    EXPECT_EQ(text, "Torvane");
    EXPECT_EQ(viewer.buttonInfo(EETBID_STANDARD, 5, record, text), S_FALSE);
    EXPECT_EQ(viewer.buttonInfo(3, 9, record, text), S_FALSE);
}

TEST_F(PlinketTest, ButtonPictureIsASixteenPixelSquareOfAtMostSixteenColours)
{
    ExtensionSite& viewer = site(viewerWithToolbars(EECONTEXT_VIEWER));
    ASSERT_TRUE(viewer.open());
    const auto& image = viewer.toolbar(2)->images().at(7);
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
    const std::set<std::uint32_t> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_LE(colours.size(), 16u);
    EXPECT_GE(colours.size(), 3u); // a picture, not a blank square
}

TEST_F(PlinketTest, StandardToolbarWithoutWindowGetsAButtonWithoutPicture)
{
    SiteSetup setup;
    setup.toolbars = {ToolbarSetup{EETBID_STANDARD, 4, false, 0}};
    ExtensionSite& viewer = site(setup);
    ASSERT_TRUE(viewer.open());
    EXPECT_EQ(viewer.toolbarEntries()[0].itbbBase, 5u);
    TBBUTTON record{};
    std::string text;
    ASSERT_EQ(viewer.buttonInfo(EETBID_STANDARD, 4, record, text), S_OK);
    EXPECT_EQ(record.iBitmap, -1);
}

TEST_F(PlinketTest, SearchViewerGetsTheItemOnly)
{
    ExtensionSite& viewer = site(viewerWithToolbars(EECONTEXT_SEARCHVIEWER));
    ASSERT_TRUE(viewer.open());
    expectMenuItemAdded(viewer, 1000);
    EXPECT_TRUE(viewer.extensionButtons().empty());
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(viewer.toolbar(i)->images().size(), std::size_t(viewer.setup().toolbars[i].presetImages));

    // No button was reserved: no claim on any toolbar's button, toolbar 0 and index 0 included
    // (what a button never placed would answer to).
    TBBUTTON record{};
    std::string text;
    for (UINT index : {0u, 5u, 9u})
        for (ULONG tbid : {0u, 1u, 2u, 3u})
            EXPECT_EQ(viewer.buttonInfo(tbid, index, record, text), S_FALSE) << tbid << "/" << index;
}

TEST_F(PlinketTest, MainViewerWithoutStandardToolbarClaimsNoButton)
{
    SiteSetup setup;
    setup.toolbars = {ToolbarSetup{3, 0, true, 0}};
    ExtensionSite& viewer = site(setup);
    ASSERT_TRUE(viewer.open());
    expectMenuItemAdded(viewer, setup.firstFreeCommandId);
    TBBUTTON record{};
    std::string text;
    EXPECT_EQ(viewer.buttonInfo(3, 0, record, text), S_FALSE);
    EXPECT_EQ(viewer.buttonInfo(EETBID_STANDARD, 0, record, text), S_FALSE);
}

TEST_F(PlinketTest, InnerObjectsKeepTheContextOfTheirHandingOut)
{
    ExtensionSite& viewer = site(viewerWithToolbars(EECONTEXT_SEARCHVIEWER));
    ASSERT_TRUE(viewer.create());
    ASSERT_EQ(viewer.install(), S_OK);
    ASSERT_TRUE(viewer.queryInterfaces());
    // Installed again in the main viewer after the command object was handed out.
    ASSERT_EQ(viewer.extension()->Install(&viewer.callback(), EECONTEXT_VIEWER, 0), S_OK);
    viewer.installCommands();
    EXPECT_TRUE(viewer.extensionButtons().empty());

    void* object = nullptr;
    ASSERT_EQ(viewer.extension()->QueryInterface(IID_IExchExtCommands, &object), S_OK);
    auto* commands = static_cast<IExchExtCommands*>(object);
    std::vector<TBENTRY> entries{TBENTRY{nullptr, EETBID_STANDARD, 0, 6}};
    UINT next = 2000;
    EXPECT_EQ(commands->InstallCommands(&viewer.callback(), 1, nullptr, &next, entries.data(), 1, 0), S_OK);
    EXPECT_EQ(entries[0].itbbBase, 7u);
    EXPECT_EQ(next, 2001u);
    commands->Release();
}

TEST_F(PlinketTest, HelpTextsForItsOwnCommandOnly)
{
    ExtensionSite& viewer = site();
    ASSERT_TRUE(viewer.open());
    IExchExtCommands* commands = viewer.commands();
    const UINT own = viewer.extensionCommands().at(0);

    struct Case {
        UINT command;
        ULONG kind;
        UINT length;
        HRESULT result;
        const char* text;
    };
    const Case cases[] = {
        {own, EECQHT_STATUS, 64, S_OK, "Torvane Appointments"},
        {own, EECQHT_TOOLTIP, 64, S_OK, "Torvane Appointments"},
        {own, EECQHT_TOOLTIP, 8, S_OK, "Torvane"},
        {own, EECQHT_STATUS, 1, S_OK, ""},
        {own, EECQHT_STATUS, 0, S_OK, "untouched"},
        {own, 3, 64, S_OK, "untouched"},
        {own + 1, EECQHT_STATUS, 64, S_FALSE, "untouched"},
        {0, EECQHT_TOOLTIP, 64, S_FALSE, "untouched"},
    };
    for (const Case& c : cases) {
        char buffer[64];
        std::strcpy(buffer, "untouched");
        EXPECT_EQ(commands->QueryHelpText(c.command, c.kind, buffer, c.length), c.result) << c.command << "/" << c.kind;
        EXPECT_STREQ(buffer, c.text) << c.command << "/" << c.kind << "/" << c.length;
    }
}

TEST_F(PlinketTest, AboutBoxForItsOwnCommandOwnedByTheViewer)
{
    SiteSetup setup;
    setup.window = 0x0000123400000007u;
    ExtensionSite& viewer = site(setup);
    ASSERT_TRUE(viewer.open());
    const UINT own = viewer.extensionCommands().at(0);

    EXPECT_EQ(viewer.help(own + 1), S_FALSE);
    EXPECT_TRUE(boxes().empty());
    ASSERT_EQ(viewer.help(own), S_OK);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].owner, setup.window);
    EXPECT_EQ(boxes()[0].caption, "About Tessaro-AddIn Button");
    EXPECT_EQ(boxes()[0].type, MB_OK);
    EXPECT_TRUE(boxes()[0].text.starts_with("Called through IExchExtCommands::Help()\nContained in Plinket.dll\n\n"))
        << boxes()[0].text;
    EXPECT_GT(boxes()[0].text.size(), std::strlen("Called through IExchExtCommands::Help()\nContained in Plinket.dll\n\n"));
}

TEST_F(PlinketTest, NoCommandIsItsOwnBeforeTheHostGaveOne)
{
    // Refused in the remote viewer: the command object never got an id, so id 0 is not its own.
    SiteSetup setup;
    setup.context = EECONTEXT_REMOTEVIEWER;
    ExtensionSite& viewer = site(setup);
    ASSERT_TRUE(viewer.create());
    ASSERT_EQ(viewer.install(), S_FALSE);
    ASSERT_TRUE(viewer.queryInterfaces());
    EXPECT_EQ(viewer.installCommands(), S_FALSE);
    EXPECT_EQ(viewer.menu().items().size(), 1u);
    EXPECT_EQ(viewer.command(0), S_FALSE);
    EXPECT_EQ(viewer.help(0), S_FALSE);
    std::string text;
    EXPECT_EQ(viewer.helpText(0, EECQHT_STATUS, text), S_FALSE);
    TBBUTTON record{};
    EXPECT_EQ(viewer.buttonInfo(EETBID_STANDARD, 0, record, text), S_FALSE);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlinketTest, EachObjectAnswersForItsOwnInterfacesOnly)
{
    IExchExt* extension = library().createExtension();
    ASSERT_NE(extension, nullptr);
    const IID other = {0x00020D14, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    void* commands = nullptr;
    void* events = nullptr;
    ASSERT_EQ(extension->QueryInterface(IID_IExchExtCommands, &commands), S_OK);
    ASSERT_EQ(extension->QueryInterface(IID_IExchExtUserEvents, &events), S_OK);
    ASSERT_NE(commands, nullptr);
    ASSERT_NE(events, nullptr);
    EXPECT_NE(commands, events);

    struct Case {
        IUnknown* object;
        const IID* iid;
        void* expected; // null: E_NOINTERFACE
    };
    const Case cases[] = {
        {extension, &IID_IUnknown, extension},
        {extension, &IID_IExchExt, extension},
        {extension, &IID_IExchExtCommands, commands},
        {extension, &IID_IExchExtUserEvents, events},
        {extension, &other, nullptr},
        {static_cast<IExchExtCommands*>(commands), &IID_IUnknown, commands},
        {static_cast<IExchExtCommands*>(commands), &IID_IExchExtCommands, commands},
        {static_cast<IExchExtCommands*>(commands), &IID_IExchExt, nullptr},
        {static_cast<IExchExtCommands*>(commands), &IID_IExchExtUserEvents, nullptr},
        {static_cast<IExchExtUserEvents*>(events), &IID_IUnknown, events},
        {static_cast<IExchExtUserEvents*>(events), &IID_IExchExtUserEvents, events},
        {static_cast<IExchExtUserEvents*>(events), &IID_IExchExtCommands, nullptr},
        {static_cast<IExchExtUserEvents*>(events), &other, nullptr},
    };
    for (const Case& c : cases) {
        void* object = reinterpret_cast<void*>(0x1);
        const HRESULT result = c.object->QueryInterface(*c.iid, &object);
        EXPECT_EQ(result, c.expected ? S_OK : E_NOINTERFACE) << std::hex << c.iid->Data1;
        EXPECT_EQ(object, c.expected) << std::hex << c.iid->Data1;
        if (object)
            static_cast<IUnknown*>(object)->Release();
    }
    static_cast<IExchExtUserEvents*>(events)->Release();
    static_cast<IExchExtCommands*>(commands)->Release();
    extension->Release();
}

bool isFreed([[maybe_unused]] const void* object)
{
#if defined(__SANITIZE_ADDRESS__)
    return __asan_address_is_poisoned(object) != 0;
#else
    return true;
#endif
}

TEST_F(PlinketTest, EachObjectIsFreedWhenItsOwnCountReachesZero)
{
#if !defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "telling freed memory needs AddressSanitizer";
#endif
    IExchExt* extension = library().createExtension();
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(extension->AddRef(), 2u);
    EXPECT_EQ(extension->Release(), 1u);

    void* object = nullptr;
    ASSERT_EQ(extension->QueryInterface(IID_IExchExtCommands, &object), S_OK);
    auto* commands = static_cast<IExchExtCommands*>(object);
    ASSERT_EQ(extension->QueryInterface(IID_IExchExtUserEvents, &object), S_OK);
    auto* events = static_cast<IExchExtUserEvents*>(object);
    // The extension object counts only its own references; the inner ones start from zero.
    EXPECT_EQ(commands->AddRef(), 2u);
    EXPECT_EQ(commands->Release(), 1u);
    EXPECT_EQ(events->AddRef(), 2u);
    EXPECT_EQ(events->Release(), 1u);

    EXPECT_EQ(extension->Release(), 0u);
    EXPECT_TRUE(isFreed(extension));
    EXPECT_FALSE(isFreed(commands));
    char text[32] = {};
    EXPECT_EQ(commands->QueryHelpText(1, EECQHT_STATUS, text, sizeof text), S_FALSE);

    EXPECT_EQ(commands->Release(), 0u);
    EXPECT_TRUE(isFreed(commands));
    EXPECT_FALSE(isFreed(events));
    EXPECT_EQ(events->Release(), 0u);
    EXPECT_TRUE(isFreed(events));
}

TEST_F(PlinketTest, CommandObjectReleasedToZeroIsNotHandedOutAgain)
{
#if !defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "telling freed memory needs AddressSanitizer";
#endif
    IExchExt* extension = library().createExtension();
    ASSERT_NE(extension, nullptr);
    void* first = nullptr;
    ASSERT_EQ(extension->QueryInterface(IID_IExchExtCommands, &first), S_OK);
    EXPECT_EQ(static_cast<IExchExtCommands*>(first)->Release(), 0u);
    ASSERT_TRUE(isFreed(first));

    void* second = nullptr;
    ASSERT_EQ(extension->QueryInterface(IID_IExchExtCommands, &second), S_OK);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(isFreed(second));
    EXPECT_EQ(static_cast<IExchExtCommands*>(second)->ResetToolbar(EETBID_STANDARD, 0), S_OK);
    EXPECT_EQ(static_cast<IExchExtCommands*>(second)->Release(), 0u);
    EXPECT_EQ(extension->Release(), 0u);
}

} // namespace
