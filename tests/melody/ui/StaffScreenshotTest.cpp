// A melody window showing a scale in every duration, with sharps, dots, rests and ledger lines.
// The staff is compared pixel for pixel with the reference image kept beside the tests (it was
// checked by eye against a printed staff). With MELVIO_WRITE_REFERENCE naming a folder the
// images are written there instead: the staff, and the whole main window as the screen shows
// it (run under a virtual X server for that).
#include "GuiBench.h"

#include "melody/ui/CTempoEdit.h"
#include "support/ScreenCapture.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr char STAFF_REFERENCE[] = "staff-scale.png";
constexpr char WINDOW_SCREENSHOT[] = "melody-window-xvfb.png";

// C major from C4 up in whole to thirty-second notes, then the same durations dotted on sharps,
// rests of every duration (plain and dotted), and notes above and below the staves.
const std::vector<NoteEntry> SCALE = {
    {60, 0, 0}, {62, 1, 0}, {64, 2, 0}, {65, 3, 0}, {67, 4, 0}, {69, 5, 0}, {71, 2, 0}, {72, 2, 0},
    {61, 0, 1}, {63, 1, 1}, {66, 2, 1}, {68, 3, 1}, {70, 4, 1}, {73, 5, 1},
    {0, 0, 0},  {0, 1, 0},  {0, 2, 0},  {0, 3, 0},  {0, 4, 0},  {0, 5, 0},  {0, 2, 1},
    {84, 2, 0}, {81, 3, 0}, {77, 2, 0}, {57, 2, 0}, {48, 1, 0}, {43, 2, 0}, {36, 3, 0},
};

TEST(Screenshot, ScaleOfEveryDurationWithSharpsAndDots)
{
    GuiBench bench;
    bench.frame->resize(1000, 560);
    bench.frame->show();
    bench.frame->NewDocument();
    QMdiSubWindow* window = bench.frame->MdiArea()->currentSubWindow();
    window->showMaximized();
    CMelvioDoc& doc = bench.Doc();
    for (std::size_t i = 0; i < SCALE.size(); ++i)
        doc.notes[i] = SCALE[i];
    doc.noteCount = int(SCALE.size());
    doc.caret = doc.anchor = 3;
    bench.frame->TempoEdit()->setFocus(); // no blinking caret in the picture
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bench.frame.get()));
    bench.View()->viewport()->resize(30 * int(SCALE.size()) + 80, 227);
    const QImage staff = bench.View()->viewport()->grab(QRect(0, 0, 30 * int(SCALE.size()) + 80, 227)).toImage();

    const QByteArray writeTo = qgetenv("MELVIO_WRITE_REFERENCE");
    if (!writeTo.isEmpty()) {
        const QDir folder(QString::fromLocal8Bit(writeTo));
        ASSERT_TRUE(staff.save(folder.filePath(QString::fromLatin1(STAFF_REFERENCE))));
        bench.View()->viewport()->resize(bench.View()->size());
        QApplication::processEvents();
        if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
            const QImage shot = torvane::test::screenOf(*bench.frame);
            ASSERT_TRUE(shot.save(folder.filePath(QString::fromLatin1(WINDOW_SCREENSHOT))));
        }
        return;
    }

    const QImage reference(QStringLiteral(MELVIO_REFERENCE_DIR "/") + QString::fromLatin1(STAFF_REFERENCE));
    ASSERT_FALSE(reference.isNull());
    const QImage a = staff.convertToFormat(QImage::Format_RGB32);
    const QImage b = reference.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), b.size());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++differing;
    if (differing)
        a.save(QDir::temp().filePath(QString::fromLatin1(STAFF_REFERENCE)));
    EXPECT_EQ(differing, 0) << "the staff as drawn now is in " << QDir::tempPath().toStdString();
}

} // namespace
