// The melody editor's windows offscreen: clicks and keys on the staff, the palette bar, the
// tempo field, the commands and their enable states, playing, the phone answers, the settings
// dialog, closing windows and the device stored at exit.
#include "GuiBench.h"

#include "melody/editing/MelvioIds.h"
#include "melody/editing/StaffLayout.h"
#include "melody/ui/CChildFrame.h"
#include "melody/ui/CMidiSettingsDlg.h"
#include "melody/ui/CNotePaletteBar.h"
#include "melody/ui/CTempoEdit.h"
#include "platform/ui/notation/MusicFont.h"
#include "support/UnwritableFolder.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace ui = torvane::ui;
using Reports = std::vector<std::pair<int, int>>;

struct GuiTest : ::testing::Test, GuiBench {
    GuiTest()
    {
        frame->show();
        frame->NewDocument();
        QApplication::processEvents();
    }
    std::vector<int> Pitches() const
    {
        std::vector<int> p;
        for (int i = 0; i < Doc().noteCount; ++i)
            p.push_back(Doc().notes[std::size_t(i)].pitch);
        return p;
    }
    QImage Render()
    {
        View()->viewport()->update();
        return View()->viewport()->grab().toImage();
    }
    // Lets closed windows go, as the event loop would.
    static void Settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static bool Inked(const QImage& image, int x, int y)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (qGray(image.pixel(x + dx, y + dy)) < 100)
                    return true;
        return false;
    }
};

TEST_F(GuiTest, ClickOnAnEmptyMelodyGivesTwoRestsAndE)
{
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(Pitches(), (std::vector<int>{0, 0, 64}));
    EXPECT_EQ(Doc().notes[0], (NoteEntry{0, 2, 0}));
    EXPECT_EQ(Doc().caret, 3);
    EXPECT_EQ(Doc().anchor, 3);
    EXPECT_EQ(outputs.log.back(), "90 40 58");
    const QImage image = Render();
    // The E's head sits on the upper staff's bottom line, two positions in.
    EXPECT_TRUE(Inked(image, 30 * 2 + 50 + 6, 100));
}

TEST_F(GuiTest, ADoubleClickSetsOnlyOnce)
{
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, QPoint(50, 100));
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, QPoint(50, 100));
    EXPECT_EQ(Pitches(), (std::vector<int>{64}));
}

TEST_F(GuiTest, PaintsSeventyOneNotesAtExtremePitchesAndEveryScrollPosition)
{
    frame->resize(1000, 800);
    frame->MdiArea()->currentSubWindow()->showMaximized();
    Settle();
    CMelvioDoc& d = Doc();
    for (int i = 0; i < MELODY_SLOTS; ++i) {
        const int kinds[] = {24, 127, 0, 25, 126, 59, 60, 61, 84, 85};
        d.notes[std::size_t(i)] = {kinds[i % 10], i % 6, i % 2};
    }
    d.noteCount = MELODY_SLOTS;
    d.caret = d.anchor = MELODY_SLOTS;
    QScrollBar* bar = View()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    for (int x = 0; x <= bar->maximum(); x += 150) {
        bar->setValue(x);
        const QImage image = Render();
        EXPECT_FALSE(image.isNull());
    }
    // The last note (index 70: pitch 24, a whole note) lies below the lower staff's last line.
    bar->setValue(bar->maximum());
    const QImage image = Render();
    const int x = 30 * 70 + 50 + 7 - bar->value();
    ASSERT_LT(x, image.width());
    EXPECT_TRUE(Inked(image, x, *NoteGlyphY(24) + torvane::notation::HEAD_OFFSET_Y - 4));
}

TEST_F(GuiTest, TheSelectionBandIsInverted)
{
    QTest::keyClick(View(), Qt::Key_C);
    QTest::keyClick(View(), Qt::Key_E);
    QTest::keyClick(View(), Qt::Key_G);
    QTest::keyClick(View(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(View(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Doc().caret, 1);
    EXPECT_EQ(Doc().anchor, 3);
    const QImage image = Render();
    // Inside the band the background is black; outside it stays white.
    EXPECT_LT(qGray(image.pixel(30 * 1 + 35 + 10, 110)), 50);
    EXPECT_GT(qGray(image.pixel(30 * 4 + 35 + 10, 110)), 200);
}

TEST_F(GuiTest, NoteKeysAndModifiers)
{
    QTest::keyClick(View(), Qt::Key_C);
    QTest::keyClick(View(), Qt::Key_C, Qt::ShiftModifier);
    FakeKeys right;
    right.rightShift = true;
    View()->SetKeyState(&right);
    QTest::keyClick(View(), Qt::Key_C, Qt::ShiftModifier);
    View()->SetKeyState(nullptr);
    QTest::keyClick(View(), Qt::Key_B, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_4);
    QTest::keyClick(View(), Qt::Key_Pause);
    EXPECT_EQ(Pitches(), (std::vector<int>{60, 72, 48, 84, 0}));
    EXPECT_EQ(Doc().notes[4].duration, 3);
    EXPECT_TRUE(frame->Palette().IsDown(3));
}

TEST_F(GuiTest, RightShiftIsToldApartByItsKeySymbol)
{
    auto send = [this](QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, quint32 symbol) {
        QKeyEvent event(type, key, modifiers, 0, symbol, 0);
        QApplication::sendEvent(View(), &event);
    };
    send(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, ShiftKeys::RIGHT_SHIFT_SYMBOL);
    send(QEvent::KeyPress, Qt::Key_C, Qt::ShiftModifier, 'C');
    send(QEvent::KeyRelease, Qt::Key_Shift, {}, ShiftKeys::RIGHT_SHIFT_SYMBOL);
    send(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, ShiftKeys::LEFT_SHIFT_SYMBOL);
    send(QEvent::KeyPress, Qt::Key_C, Qt::ShiftModifier, 'C');
    send(QEvent::KeyRelease, Qt::Key_Shift, {}, ShiftKeys::LEFT_SHIFT_SYMBOL);
    send(QEvent::KeyPress, Qt::Key_C, {}, 'c');
    EXPECT_EQ(Pitches(), (std::vector<int>{48, 72, 60}));
}

TEST_F(GuiTest, ThePaletteBarInsertsIntoTheActiveMelody)
{
    CNotePaletteBar* bar = frame->PaletteBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8 + 700, 70)); // dot
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8 + 14 * 13, 20));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8 + 24 * 7, 80));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8 + 540, 80));
    EXPECT_EQ(Pitches(), (std::vector<int>{61, 60, 0}));
    EXPECT_EQ(Doc().notes[0].dotted, 1);
    EXPECT_EQ(Doc().notes[1].dotted, 0);
}

TEST_F(GuiTest, TheTempoFieldHoldsItsBounds)
{
    CTempoEdit* edit = frame->TempoEdit();
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("300"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), QStringLiteral("240"));
    EXPECT_EQ(Doc().tempo, 240);
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), QStringLiteral("40"));
    EXPECT_EQ(Doc().tempo, 40);
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QStringLiteral("40")); // digits only
}

TEST_F(GuiTest, PlayDisablesItselfUntilTheSequenceEnds)
{
    QTest::keyClick(View(), Qt::Key_C);
    EXPECT_TRUE(frame->IsCommandEnabled(ID_PLAY));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_STOP));
    ASSERT_TRUE(frame->RunCommand(ID_PLAY));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_PLAY));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_STOP));
    scheduler.runUntilIdle();
    EXPECT_TRUE(frame->IsCommandEnabled(ID_PLAY));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_STOP));
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(GuiTest, ClosingAPlayingWindowLeavesPlaybackWorkingElsewhere)
{
    QTest::keyClick(View(), Qt::Key_C);
    frame->RunCommand(ID_PLAY);
    Doc().SetModifiedFlag(false);
    frame->MdiArea()->currentSubWindow()->close();
    Settle();
    EXPECT_EQ(frame->Documents().size(), 0u);
    scheduler.runUntilIdle();
    frame->NewDocument();
    QTest::keyClick(View(), Qt::Key_D);
    ASSERT_TRUE(frame->RunCommand(ID_PLAY));
    EXPECT_TRUE(reporter.reports.empty());
    scheduler.runUntilIdle();
    EXPECT_TRUE(frame->IsCommandEnabled(ID_PLAY));
}

TEST_F(GuiTest, PhoneCommandsWaitForTheEnginesAnswerAtTheView)
{
    ASSERT_TRUE(frame->RunCommand(ID_SAVE_TO_PHONE));
    ASSERT_EQ(engine.calls.size(), 1u);
    const HWND view = engine.calls[0].window;
    EXPECT_EQ(view, View()->Hwnd());
    EXPECT_FALSE(frame->IsCommandEnabled(ID_SAVE_TO_PHONE));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_PHONE_PLAY));
    ASSERT_TRUE(binder.Post(view, WM_MELODY_WRITE_DONE, 11, -1));
    EXPECT_EQ(reporter.reports, (Reports{{5, 40009}}));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_SAVE_TO_PHONE));

    ASSERT_TRUE(frame->RunCommand(ID_PHONE_PLAY));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_PHONE_STOP));
    binder.Post(view, WM_MELODY_TEST_DONE, 12, 0);
    EXPECT_EQ(frame->StatusText(), QStringLiteral("The telephone communication was successful."));
    ASSERT_TRUE(frame->RunCommand(ID_PHONE_STOP));
    EXPECT_EQ(engine.calls.back().play, 0);
}

TEST_F(GuiTest, CopyPasteAndTheirEnableStates)
{
    for (auto key : {Qt::Key_C, Qt::Key_D, Qt::Key_E})
        QTest::keyClick(View(), key);
    EXPECT_FALSE(frame->IsCommandEnabled(ID_EDIT_PASTE));
    frame->RunCommand(ID_EDIT_COPY);
    EXPECT_EQ(reporter.reports, (Reports{{4, 40011}}));
    QTest::keyClick(View(), Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(View(), Qt::Key_X, Qt::ControlModifier); // the accelerator cuts
    EXPECT_EQ(Pitches(), std::vector<int>{});
    EXPECT_TRUE(frame->IsCommandEnabled(ID_EDIT_PASTE));
    QTest::keyClick(View(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Pitches(), (std::vector<int>{60, 62, 64, 60, 62, 64}));
    frame->RunCommand(ID_DELETE_ALL);
    EXPECT_FALSE(frame->IsCommandEnabled(ID_EDIT_PASTE));
}

TEST_F(GuiTest, SmartMessageFromTheClipboard)
{
    clipboard.text = "x:d=8,o=6,b=90:4c#7.,p,16h";
    frame->RunCommand(ID_SMART_MESSAGE_PASTE);
    EXPECT_EQ(Pitches(), (std::vector<int>{85, 0, 83}));
    EXPECT_EQ(frame->TempoEdit()->text(), QStringLiteral("90"));
}

TEST_F(GuiTest, MenusFollowWhetherAMelodyIsOpen)
{
    auto titles = [this] {
        QStringList list;
        for (QAction* a : frame->menuBar()->actions())
            list << a->text();
        return list;
    };
    EXPECT_EQ(titles(), (QStringList{"&File", "&Edit", "&Telephone", "&View", "&Windows", "&?"}));
    Doc().SetModifiedFlag(false);
    frame->RunCommand(ID_FILE_CLOSE);
    Settle();
    EXPECT_EQ(titles(), (QStringList{"&File", "&View", "&?"}));
    EXPECT_FALSE(frame->IsCommandEnabled(ID_PLAY));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Ring Tone Editor"));
}

TEST_F(GuiTest, ANewWindowOnTheSameMelodyAndTheQuestionOnlyAtTheLast)
{
    ui::MessageService& boxes = ui::MessageService::instance();
    boxes.clearShown();
    QTest::keyClick(View(), Qt::Key_A);
    frame->RunCommand(ID_WINDOW_NEW);
    ASSERT_EQ(frame->MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(frame->MdiArea()->subWindowList()[0]->windowTitle(), QStringLiteral("RingToneEditor1:1"));
    EXPECT_EQ(frame->MdiArea()->subWindowList()[1]->windowTitle(), QStringLiteral("RingToneEditor1:2"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Ring Tone Editor - RingToneEditor1"));
    frame->MdiArea()->subWindowList()[1]->close();
    Settle();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(frame->MdiArea()->subWindowList()[0]->windowTitle(), QStringLiteral("RingToneEditor1"));

    boxes.addAnswer({ui::kMessageBoxName, ui::IDCANCEL, {}});
    frame->MdiArea()->subWindowList()[0]->close();
    QApplication::processEvents();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Save changes to RingToneEditor1?"));
    EXPECT_EQ(frame->MdiArea()->subWindowList().size(), 1);
    boxes.addAnswer({ui::kMessageBoxName, ui::IDNO, {}});
    frame->MdiArea()->subWindowList()[0]->close();
    Settle();
    EXPECT_TRUE(frame->MdiArea()->subWindowList().isEmpty());
}

// Input that gets past an open question (the program's commands, a window's close button, the
// frame's close) must not close the melody it asks about: answering it would then save a melody
// already gone.
TEST_F(GuiTest, NothingClosesAMelodyWhileItsQuestionIsOpen)
{
    ui::MessageService& boxes = ui::MessageService::instance();
    boxes.clearShown();
    QTest::keyClick(View(), Qt::Key_A);
    const QString folder = QString::fromLocal8Bit(qgetenv("TORVANE_TEST_TMP")) + QStringLiteral("/asked");
    ASSERT_TRUE(QDir().mkpath(folder));
    saveAnswer = folder + QStringLiteral("/kept");
    // Real boxes, whose event loops run what reaches the program while they are open.
    boxes.setScripted(false);
    QMessageBox* question = nullptr;
    QTimer answers;
    QObject::connect(&answers, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == question)
            return;
        if (question) {
            box->button(QMessageBox::No)->click(); // a second question about the same melody
            return;
        }
        question = box;
        QTimer::singleShot(0, box, [&] {
            frame->RunCommand(ID_FILE_CLOSE);
            for (QMdiSubWindow* window : frame->MdiArea()->subWindowList())
                window->close();
            frame->close();
            question->button(QMessageBox::Yes)->click();
        });
    });
    answers.start(10);
    frame->RunCommand(ID_FILE_CLOSE);
    answers.stop();
    boxes.setScripted(true);
    Settle();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Save changes to RingToneEditor1?"));
    EXPECT_EQ(boxes.shown()[0].answer, ui::IDYES);
    EXPECT_TRUE(QFile::exists(saveAnswer + QStringLiteral(".rte")));
    EXPECT_TRUE(frame->MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(GuiTest, SaveAndOpenAMelodyFile)
{
    ui::MessageService& boxes = ui::MessageService::instance();
    boxes.clearShown();
    QTest::keyClick(View(), Qt::Key_G);
    QTest::keyClick(View(), Qt::Key_A);
    // A folder of its own, which the end of the test makes refuse new bytes.
    const QString folder = QString::fromLocal8Bit(qgetenv("TORVANE_TEST_TMP")) + QStringLiteral("/melodies");
    ASSERT_TRUE(QDir().mkpath(folder));
    saveAnswer = folder + QStringLiteral("/song");
    ASSERT_TRUE(frame->RunCommand(ID_FILE_SAVE));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Ring Tone Editor - song.rte"));
    CTempoEdit* edit = frame->TempoEdit();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return); // the tempo as it was: nothing to ask at Close
    frame->RunCommand(ID_FILE_CLOSE);
    Settle();
    openAnswer = saveAnswer + QStringLiteral(".rte");
    ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
    EXPECT_EQ(Pitches(), (std::vector<int>{67, 69}));
    EXPECT_TRUE(boxes.shown().empty());

    // A new tempo alone is a change: Close asks, and Yes saves it. Typed with Enter, or set with
    // the spin's arrow, which takes no focus; also when another melody's window took the field
    // before the first is closed.
    QWidget* spinUp = frame->findChild<QWidget*>(QStringLiteral("spin101"))->findChildren<QToolButton*>().front();
    QMdiSubWindow* other = nullptr;
    const std::pair<std::function<void()>, int> roads[] = {
        {[&] {
             edit->setFocus();
             edit->clear();
             QTest::keyClicks(edit, QStringLiteral("96"));
             QTest::keyClick(edit, Qt::Key_Return);
         },
         96},
        {[&] { QTest::mouseClick(spinUp, Qt::LeftButton); }, 97},
        {[&] {
             QTest::mouseClick(spinUp, Qt::LeftButton);
             QMdiSubWindow* first = frame->MdiArea()->activeSubWindow();
             frame->RunCommand(ID_FILE_NEW);
             other = frame->MdiArea()->activeSubWindow();
             frame->MdiArea()->setActiveSubWindow(first);
         },
         98},
    };
    for (const auto& [setTempo, tempo] : roads) {
        const std::size_t asked = boxes.shown().size();
        setTempo();
        boxes.addAnswer({ui::kMessageBoxName, ui::IDYES, {}});
        frame->RunCommand(ID_FILE_CLOSE);
        Settle();
        ASSERT_EQ(boxes.shown().size(), asked + 1);
        ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
        EXPECT_EQ(Doc().tempo, tempo);
    }
    ASSERT_NE(other, nullptr);
    boxes.addAnswer({ui::kMessageBoxName, ui::IDNO, {}});
    other->close();
    Settle();

    // A disk that is full (or a folder the user may not write) keeps the melody file as it was,
    // says so once, and leaves the new tempo to be saved once the folder takes bytes again.
    const auto bytesOf = [&] {
        QFile file(openAnswer);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray saved = bytesOf();
    ASSERT_FALSE(saved.isEmpty());
    {
        torvane::test::UnwritableFolder unwritable(folder.toStdString());
        ASSERT_FALSE(unwritable.reason().empty());
        const std::size_t asked = boxes.shown().size();
        QTest::mouseClick(spinUp, Qt::LeftButton);
        QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(bytesOf(), saved);
        ASSERT_EQ(boxes.shown().size(), asked + 1);
        EXPECT_EQ(boxes.shown().back().text, QStringLiteral("Cannot save the file song.rte."));
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(bytesOf(), saved);
    QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Doc().IsModified());
    frame->RunCommand(ID_FILE_CLOSE);
    Settle();
    ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
    EXPECT_EQ(Doc().tempo, 99);
}

// Another program's file named .rte: reported, and no window, so a Save cannot overwrite it.
TEST_F(GuiTest, AFileThatIsNotAMelodyOpensNoWindow)
{
    QByteArray noise(300, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char(i * 151 + 7);
    openAnswer = QString::fromLocal8Bit(qgetenv("TORVANE_TEST_TMP")) + QStringLiteral("/other.rte");
    for (const QByteArray& bytes : {noise, QByteArray("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0B", 22)}) {
        QFile file(openAnswer);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        reporter.reports.clear();
        frame->RunCommand(ID_FILE_OPEN);
        EXPECT_EQ(reporter.reports, (Reports{{4, 40006}}));
        EXPECT_EQ(frame->MdiArea()->subWindowList().size(), 1);
        QTest::keyClick(View(), Qt::Key_C);
        QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
    }
}

TEST_F(GuiTest, SettingsAndAboutDialogs)
{
    ui::MessageService& boxes = ui::MessageService::instance();
    boxes.clearShown();
    boxes.addAnswer({QStringLiteral("dialog154"), ui::IDOK, {{QStringLiteral("combo1018"), QStringLiteral("Synth 1")}}});
    ASSERT_TRUE(frame->RunCommand(ID_MIDI_SETTINGS));
    EXPECT_EQ(Doc().settingsDevice, 1);
    boxes.addAnswer({QStringLiteral("dialog154"), ui::IDCANCEL, {{QStringLiteral("combo1018"), QStringLiteral("Synth 0")}}});
    frame->RunCommand(ID_MIDI_SETTINGS);
    EXPECT_EQ(Doc().settingsDevice, 1);
    ASSERT_TRUE(frame->RunCommand(ID_APP_ABOUT));
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("Settings"));
    EXPECT_EQ(boxes.shown()[2].kind, QStringLiteral("dialog100"));
    EXPECT_EQ(boxes.shown()[2].caption, QStringLiteral("About Ring tone editor"));
}

TEST(GuiStart, WithoutAMidiDeviceTheStartReportsAndTheSettingsShowNoDevice)
{
    GuiBench bench(0);
    EXPECT_EQ(bench.reporter.reports, (Reports{{3, 40003}}));
    CMidiSettingsDlg settings(bench.outputs, 0);
    ASSERT_EQ(settings.List()->count(), 1);
    EXPECT_EQ(settings.List()->itemText(0), QStringLiteral("No MIDI Device"));
    EXPECT_EQ(settings.List()->itemData(0).toInt(), 0);
    // Editing goes on.
    bench.frame->NewDocument();
    QTest::keyClick(bench.View(), Qt::Key_F);
    EXPECT_EQ(bench.Doc().notes[0].pitch, 65);
}

TEST(GuiStart, MelodyWindowsOpenCascadedOverMostOfTheClientArea)
{
    // As the program starts: the first melody before the frame is shown.
    GuiBench bench;
    bench.frame->NewDocument();
    bench.frame->show();
    bench.frame->NewDocument();
    QApplication::processEvents();
    const QSize client = bench.frame->MdiArea()->viewport()->size();
    const QList<QMdiSubWindow*> windows = bench.frame->MdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    const QRect first = windows[0]->geometry();
    EXPECT_EQ(first.topLeft(), QPoint(0, 0));
    EXPECT_GE(first.width(), client.width() * 9 / 10);
    EXPECT_GE(first.height(), client.height() * 3 / 4);
    EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(windows[1]->geometry()));
    EXPECT_GT(windows[1]->y(), 0);
    EXPECT_EQ(windows[1]->x(), windows[1]->y());
}

TEST(CascadedPlace, StepsDownAQuarterOfTheHeightThenStartsAgain)
{
    const struct {
        QSize client;
        int index;
        QRect place;
    } cases[] = {
        {{750, 250}, 0, {0, 0, 726, 226}},    {{750, 250}, 1, {24, 24, 726, 226}},
        {{750, 250}, 2, {0, 0, 726, 226}},    {{1000, 700}, 6, {144, 144, 856, 556}},
        {{1000, 700}, 7, {0, 0, 856, 556}},   {{300, 80}, 3, {0, 0, 300, 80}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CascadedPlace(c.client, 24, c.index), c.place) << c.client.height() << " " << c.index;
}

TEST(GuiStart, TheSettingsListTheDevicesAndKeepTheChoice)
{
    GuiBench bench(3);
    EXPECT_TRUE(bench.reporter.reports.empty());
    CMidiSettingsDlg settings(bench.outputs, 2);
    ASSERT_EQ(settings.List()->count(), 3);
    EXPECT_EQ(settings.List()->itemText(1), QStringLiteral("Synth 1"));
    EXPECT_EQ(settings.List()->currentIndex(), 2);
    settings.List()->setCurrentIndex(1);
    settings.reject();
    EXPECT_EQ(settings.Device(), 2);
    settings.accept();
    EXPECT_EQ(settings.Device(), 1);
}

TEST(GuiStart, TheDeviceUsedIsStoredAtExit)
{
    {
        GuiBench bench(3);
        bench.frame->NewDocument();
        bench.Doc().settingsDevice = 2;
        QTest::keyClick(bench.View(), Qt::Key_C); // the new device comes into use with a note
        bench.Doc().SetModifiedFlag(false);
    }
    torvane::registry::AppProfile profile("Torvane\\Quorvane PRO", "Ring tone editor");
    EXPECT_EQ(profile.GetProfileInt("Settings", "LastMidiDev", -1), 2u);
    {
        // Chosen but never used: the device in use stays the one stored.
        GuiBench bench(3);
        bench.port->SetCurrentDevice(2);
        bench.frame->NewDocument();
        bench.Doc().settingsDevice = 1;
        bench.Doc().SetModifiedFlag(false);
    }
    EXPECT_EQ(profile.GetProfileInt("Settings", "LastMidiDev", -1), 2u);
}

} // namespace
