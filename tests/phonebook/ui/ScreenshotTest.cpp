// The editor's window on a real X display (a virtual one under xvfb-run), with both lists filled
// and an entry in the preview row. The controls must lie where dialog 130 puts them (converted
// from dialog units with the form's font) and inside the form; the screenshot is saved beside
// the test binary, and tests/phonebook/ui/reference/brevik_window.png is the one a person looked
// at.
#include "BrevikGuiFixture.h"

#include "phonebook/ui/DialogUnits.h"
#include "support/ScreenCapture.h"

#include <QImage>
#include <QScreen>

using namespace brevik;
using namespace brevik::test;

namespace {

struct Placed {
    int id;
    int x, y, w, h; // dialog units; h 0: the style's own height
};

TEST_F(BrevikGui, WindowWithBothListsFilled)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    card("a", "Anna Bergmann", "+49 89 1234567", "VIP-Status - Index: 1 ");
    card("b", "Bert Kranich", "0711 445566", "Standard-Status - Index: 2 ");
    card("c", "Carla Öztürk", "030/998877", "Standard-Status - Index: 3 ");
    card("d", "Dörte Wiese", "0421-12121", "Standard-Status - Index: 4 ");
    start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    const QImage busy = torvane::test::screenOf(frame()); // the first read runs: the tool bar's commands are off
    ASSERT_TRUE(busy.save(QStringLiteral(SCREENSHOT_DIR "/brevik_busy.png")));
    EXPECT_EQ(QImage(QStringLiteral(REFERENCE_DIR "/brevik_busy.png")).size(), busy.size());
    answerRead(14, 20, 250, {{1, "Mama!", "+4989111222"}, {2, "B\x7Ero", "0893344556"}, {3, "Zahnarzt", "08955511"},
                             {4, "Fitness", "0897788"}, {5, "Taxi", "0892161"}});
    click(pab(), 0);
    frame().move(20, 20);
    frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));

    const QImage shot = torvane::test::screenOf(frame());
    const QString saved = QStringLiteral(SCREENSHOT_DIR "/brevik_window.png");
    ASSERT_TRUE(shot.save(saved)) << saved.toStdString();

    const DialogUnits du(form().font());
    const Placed controls[] = {{IDC_DIRECTORY_COMBO, 15, 20, 148, 0}, {IDC_PHONE_LIST, 15, 40, 148, 92},
                               {IDC_FOLDER_COMBO, 204, 20, 148, 0},   {IDC_PAB_LIST, 204, 40, 148, 92},
                               {IDC_COPY_TO_PAB, 176, 60, 16, 16},    {IDC_COPY_TO_PHONE, 176, 87, 16, 16},
                               {IDC_PREVIEW_HEADER, 66, 143, 225, 13}, {IDC_PREVIEW_COMBO, 66, 157, 237, 13},
                               {IDC_SAVE_TO_PHONE, 15, 178, 90, 0},   {IDC_SAVE_ADDRESS_BOOK, 204, 178, 90, 0},
                               {IDC_QUIT, 302, 178, 50, 0}};
    for (const Placed& c : controls) {
        const QWidget* w = form().control(c.id);
        ASSERT_NE(w, nullptr) << c.id;
        EXPECT_TRUE(w->isVisible()) << c.id;
        const QRect expected = du.rect(c.x, c.y, c.w, c.h ? c.h : 1);
        EXPECT_EQ(w->geometry().topLeft(), expected.topLeft()) << c.id;
        EXPECT_EQ(w->width(), expected.width()) << c.id;
        if (c.h) {
            EXPECT_EQ(w->height(), expected.height()) << c.id;
        }
        EXPECT_TRUE(form().rect().contains(w->geometry())) << c.id << " lies inside the form";
    }
    EXPECT_EQ(form().size(), QSize(du.x(369), du.y(199)));
    // The preview edits lie over the preview combo box, side by side in the header's columns.
    const QRect combo = form().control(IDC_PREVIEW_COMBO)->geometry();
    int left = du.x(67);
    for (int id = IDC_PREVIEW_NAME; id <= IDC_PREVIEW_STATUS; ++id) {
        const QRect edit = form().control(id)->geometry();
        EXPECT_TRUE(combo.contains(edit)) << id;
        EXPECT_EQ(edit.left(), left) << id;
        left = edit.right() + 1;
    }
    // Pixels converted from the template's dialog units at this font, not the units themselves.
    EXPECT_EQ(form().previewWidths(), (PreviewWidths{196, 144, 35, 18}));
    EXPECT_EQ(form().previewRowWidth(), 388);
    for (QTreeWidget* list : {phone(), pab()})
        EXPECT_EQ((std::array{list->columnWidth(0), list->columnWidth(1), list->columnWidth(2), list->columnWidth(3)}),
                  (std::array{du.x(56), du.x(50), du.x(17), du.x(22)}));
    EXPECT_EQ(edit(IDC_PREVIEW_NAME)->text(), QStringLiteral("Anna Bergmann"));
    EXPECT_EQ(phone()->topLevelItemCount(), 5);
    EXPECT_EQ(pab()->topLevelItemCount(), 4);

    const QImage reference(QStringLiteral(REFERENCE_DIR "/brevik_window.png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(reference.size(), shot.size());
}

} // namespace

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
