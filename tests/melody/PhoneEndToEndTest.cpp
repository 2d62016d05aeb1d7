// The melody editor, the main program and the phone together: the simulated phone runs in this
// process on a pseudo-terminal linked as COM1, the real corvant program owns that port and pumps
// the engine, and the melody editor's application (as its main() builds it, with the engine
// library's exports and the messaging layer) runs in this process, its menu commands run as the
// user would run them. The phone's melody store, its test play and the bytes it received show
// what arrived; the editor's command states and status line show that every request was answered.
#include "engine/zeldll.h"
#include "mainprog/core/ErrorReport.h"
#include "melody/CMelvioApp.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/PhoneTransfer.h"
#include "melody/ui/CMainFrame.h"
#include "melody/ui/MelodyDocument.h"
#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/serial/SerialPortName.h"
#include "platform/ui/msgservice/ScriptFile.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/HexText.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/PhoneSim.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using torvane::phonesim::MelodyCommands;
using torvane::phonesim::PhoneSim;

namespace {

struct RteNote {
    std::int32_t pitch, duration, dotted;
};

// Seven notes longer than 127 ticks (nine bytes of events each) and three shorter ones (eight
// bytes): 22 header bytes, the tempo event (7), 87 bytes of notes and the end of track (4) make
// a file of 120 bytes, which the phone takes as parts of 50, 50 and 20 bytes.
const std::vector<RteNote> MELODY = {
    {72, 1, 0}, // half
    {76, 2, 1}, // dotted quarter
    {0, 3, 0},  // eighth rest
    {79, 1, 0}, // half
    {78, 2, 0}, // quarter, sharp
    {81, 0, 0}, // whole
    {0, 1, 0},  // half rest
    {71, 1, 1}, // dotted half
    {74, 3, 1}, // dotted eighth
    {84, 0, 1}, // dotted whole
};
constexpr std::size_t MIDI_FILE_BYTES = 120;
constexpr int TEMPO = 120;

// The melody as a .rte file, as the editor stores it.
QString WriteMelodyFile(const QString& path)
{
    QByteArray bytes;
    bytes.append(char(22));
    bytes.append("QVN PRO - RTME 1.0\\x1A");
    auto put = [&bytes](std::int32_t value) { bytes.append(reinterpret_cast<const char*>(&value), 4); };
    put(std::int32_t(MELODY.size()));
    put(TEMPO);
    for (const RteNote& note : MELODY) {
        put(note.pitch);
        put(note.duration);
        put(note.dotted);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

// Every upload part the phone received, in order: the announcement's part numbers and the
// bytes its hex text stood for (empty when the text was not hex).
struct UploadPart {
    std::string announcement;
    std::string bytes;
};

std::vector<UploadPart> UploadParts(const std::string& received)
{
    constexpr char kAnnounce[] = "AT^SBNW=\"mid\",0,";
    std::vector<UploadPart> parts;
    for (std::size_t at = received.find(kAnnounce); at != std::string::npos; at = received.find(kAnnounce, at + 1)) {
        const std::size_t lineEnd = received.find('\r', at);
        if (lineEnd == std::string::npos)
            break;
        UploadPart part;
        part.announcement = received.substr(at, lineEnd - at);
        const std::size_t ctrlZ = received.find('\x1A', lineEnd);
        if (ctrlZ != std::string::npos)
            part.bytes = torvane::phonesim::fromHex(received.substr(lineEnd + 1, ctrlZ - lineEnd - 1)).value_or("");
        parts.push_back(part);
    }
    return parts;
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

class PhoneEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_NE(tmp, nullptr) << "run through tests/isolate.sh";
        tmp_ = QString::fromLocal8Bit(tmp);
        std::string error;
        ASSERT_TRUE(sim_.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        status_ = std::make_unique<messaging::MessageWindow>([this](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (message == WM_PHONE_STATE && wParam == 1)
                phoneState_ = int(lParam);
            return 0;
        });
        ASSERT_NE(status_->hwnd(), 0u);
    }

    void TearDown() override
    {
        melvio_.reset();
        if (slot_ >= 0)
            ATStatusDeReg(slot_);
        if (corvant_ && corvant_->started()) {
            const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39);
            if (frame != 0)
                PostMessage(frame, WM_CLOSE, 0, 0);
            EXPECT_EQ(corvant_->waitExit(30s), 0) << "corvant ends when its window is closed";
        }
        corvant_.reset();
        status_.reset();
        sim_.stop();
    }

    // Runs this process's events (the editor's windows and the messages posted to them) until
    // done holds or the time is up.
    static bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds within)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > within.count())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return true;
    }

    // Corvant with its dialogs answered by default, its pump and poll made quick; returns once
    // it reported a ready phone.
    void StartCorvant()
    {
        logPath_ = tmp_ + QStringLiteral("/corvant-ui.log");
        const QString script = tmp_ + QStringLiteral("/corvant-ui.script");
        QFile empty(script);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        empty.close();
        setenv("TORVANE_UI_SCRIPT", script.toLocal8Bit().constData(), 1);
        setenv("TORVANE_UI_LOG", logPath_.toLocal8Bit().constData(), 1);
        setenv("CORVANT_TIMER_PERIODS", "200,2000", 1);
        corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
        ASSERT_TRUE(corvant_->started());
        ASSERT_TRUE(WaitFor([&] {
            slot_ = ATStatusReg(status_->hwnd(), WM_PHONE_STATE);
            return slot_ >= 0;
        }, 20s)) << "corvant did not come up";
        ASSERT_TRUE(WaitFor([&] { return phoneState_ == PHONESTATE_READY; }, 30s))
            << "the phone never became ready\n" << sim_.transcript().received();
    }

    // The texts of every box and dialog corvant has shown.
    std::vector<QString> ShownTexts() const
    {
        std::vector<QString> texts;
        QFile log(logPath_);
        if (!log.open(QIODevice::ReadOnly))
            return texts;
        for (const QByteArray& line : log.readAll().split('\n'))
            if (auto box = torvane::ui::parseLogLine(QString::fromUtf8(line))) {
                texts.push_back(box->text);
                for (const auto& field : box->fields)
                    texts.push_back(field.second);
            }
        return texts;
    }

    template <class F>
    auto Phone(F&& f)
    {
        return sim_.withModule<MelodyCommands>(std::forward<F>(f));
    }

    PhoneSim sim_;
    QString tmp_;
    QString logPath_;
    std::unique_ptr<messaging::MessageWindow> status_;
    int phoneState_ = -1;
    int slot_ = -1;
    std::unique_ptr<torvane::test::PeerProcess> corvant_;
    std::unique_ptr<CMelvioApp> melvio_;
};

TEST_F(PhoneEndToEnd, MelodyIsSavedToThePhoneInThreePartsThenPlayedAndStopped)
{
    ASSERT_NO_FATAL_FAILURE(StartCorvant());

    const QString file = WriteMelodyFile(tmp_ + QStringLiteral("/tune.rte"));
    ASSERT_FALSE(file.isEmpty());
    melvio_ = std::make_unique<CMelvioApp>();
    ASSERT_TRUE(melvio_->InitInstance({QStringLiteral("melvio"), file}));
    CMainFrame& frame = *melvio_->Frame();
    MelodyDocument* melody = frame.ActiveMelodyDocument();
    ASSERT_NE(melody, nullptr);
    ASSERT_EQ(melody->doc.noteCount, int(MELODY.size()));
    CMelvioDoc& doc = melody->doc;
    PhoneTransfer& phone = melody->phone;

    // What the editor builds from these notes, and so what the phone must end up holding.
    const auto built = doc.BuildMidiFile();
    const std::string midi(built.begin(), built.end());
    ASSERT_EQ(midi.size(), MIDI_FILE_BYTES);
    ASSERT_EQ(midi.substr(0, 4), "MThd");
    ASSERT_EQ(midi.substr(midi.size() - 3), std::string("\xFF\x2F\x00", 3)) << "ends with the end of track";

    // Save to telephone: both phone commands wait for the answer.
    ASSERT_TRUE(frame.RunCommand(ID_SAVE_TO_PHONE));
    EXPECT_TRUE(phone.WriteOutstanding());
    EXPECT_FALSE(frame.IsCommandEnabled(ID_SAVE_TO_PHONE));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_PHONE_PLAY));
    ASSERT_TRUE(WaitFor([&] { return !phone.WriteOutstanding(); }, 40s))
        << "no answer to the upload\n" << sim_.transcript().received();
    EXPECT_TRUE(frame.IsCommandEnabled(ID_SAVE_TO_PHONE));
    EXPECT_TRUE(frame.IsCommandEnabled(ID_PHONE_PLAY));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_PHONE_STOP));
    EXPECT_EQ(frame.StatusText().toStdString(), PHONE_SUCCESS_TEXT);

    EXPECT_EQ(Phone([](MelodyCommands& m) { return m.melody; }), midi) << "the melody arrived whole";
    EXPECT_FALSE(Phone([](MelodyCommands& m) { return m.pending.has_value(); }));
    const auto parts = UploadParts(sim_.transcript().received());
    ASSERT_EQ(parts.size(), 3u) << sim_.transcript().received();
    const std::size_t sizes[] = {50, 50, 20};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i].announcement, "AT^SBNW=\"mid\",0," + std::to_string(i + 1) + ",3");
        EXPECT_EQ(parts[i].bytes, midi.substr(50 * i, sizes[i])) << "part " << i + 1;
    }

    // Play the ring tone on the telephone: Stop becomes available at once.
    frame.SetStatusText("");
    ASSERT_TRUE(frame.RunCommand(ID_PHONE_PLAY));
    EXPECT_TRUE(phone.TestOutstanding());
    EXPECT_TRUE(frame.IsCommandEnabled(ID_PHONE_STOP));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_SAVE_TO_PHONE));
    ASSERT_TRUE(WaitFor([&] { return !phone.TestOutstanding(); }, 30s))
        << "no answer to the test play\n" << sim_.transcript().received();
    EXPECT_TRUE(Phone([](MelodyCommands& m) { return m.playing; })) << sim_.transcript().received();
    EXPECT_EQ(Phone([](MelodyCommands& m) { return m.ringType; }), MelodyCommands::kMelodyType);
    EXPECT_EQ(Phone([](MelodyCommands& m) { return m.playsStarted; }), 1);
    EXPECT_TRUE(frame.IsCommandEnabled(ID_PHONE_STOP));
    EXPECT_EQ(frame.StatusText().toStdString(), PHONE_SUCCESS_TEXT);

    // Stop playing the ring tone.
    frame.SetStatusText("");
    ASSERT_TRUE(frame.RunCommand(ID_PHONE_STOP));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_PHONE_STOP));
    ASSERT_TRUE(WaitFor([&] { return !phone.TestOutstanding(); }, 30s))
        << "no answer to the stop\n" << sim_.transcript().received();
    EXPECT_FALSE(Phone([](MelodyCommands& m) { return m.playing; })) << sim_.transcript().received();
    EXPECT_EQ(Phone([](MelodyCommands& m) { return m.playsStarted; }), 1) << "stopping started nothing";
    EXPECT_EQ(Count(sim_.transcript().received(), "AT^SRTC=42,1\r"), 1u);
    EXPECT_TRUE(frame.IsCommandEnabled(ID_SAVE_TO_PHONE));
    EXPECT_TRUE(frame.IsCommandEnabled(ID_PHONE_PLAY));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_PHONE_STOP));
    EXPECT_EQ(frame.StatusText().toStdString(), PHONE_SUCCESS_TEXT);

    // Neither request timed out nor failed: corvant showed no phone error of the editor.
    const QString writeFailed = QString::fromStdString(corvant::errorReportTexts(ERROR_CLASS_PHONE, IDS_ERR_PHONE_WRITE).text);
    const QString playFailed = QString::fromStdString(corvant::errorReportTexts(ERROR_CLASS_PHONE, IDS_ERR_PHONE_PLAY).text);
    for (const QString& text : ShownTexts()) {
        EXPECT_NE(text, writeFailed);
        EXPECT_NE(text, playFailed);
    }
}

} // namespace
