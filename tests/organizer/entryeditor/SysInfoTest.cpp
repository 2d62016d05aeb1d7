// The about window's registry text and the start of the system information program it names.
#include "organizer/entryeditor/SysInfo.h"

#include "organizer/link/MessageBox.h"

#include "platform/registry/Registry.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace tessaro {
namespace {

void setRaw(const QString& key, const QString& name, DWORD type, const QByteArray& data)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, key.toLatin1().constData(), &h, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(h, name.toLatin1().constData(), type, reinterpret_cast<const BYTE*>(data.constData()),
                            DWORD(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST(GetKeyValue, ReadsATextWithOrWithoutItsTerminatingZero)
{
    const QString key = QStringLiteral("SOFTWARE\\Test\\Texts");
    setRaw(key, QStringLiteral("with"), REG_SZ, QByteArray("/usr/bin/sysinfo", 17));
    setRaw(key, QStringLiteral("without"), REG_SZ, QByteArray("/usr/bin/sysinfo", 16));
    for (const char* name : {"with", "without"}) {
        QString value = QStringLiteral("old");
        EXPECT_TRUE(GetKeyValue(RegRoot::LocalMachine, key, QLatin1String(name), value)) << name;
        EXPECT_EQ(value, QStringLiteral("/usr/bin/sysinfo")) << name;
    }
}

TEST(GetKeyValue, MissingKeyValueOrOverlongTextGivesFalseAndNoText)
{
    const QString key = QStringLiteral("SOFTWARE\\Test\\Odd");
    setRaw(key, QStringLiteral("long"), REG_SZ, QByteArray(1025, 'x'));
    setRaw(key, QStringLiteral("number"), REG_DWORD, QByteArray("\x01\x00\x00\x00", 4));
    QString value = QStringLiteral("old");
    EXPECT_FALSE(GetKeyValue(RegRoot::LocalMachine, key, QStringLiteral("long"), value));
    EXPECT_TRUE(value.isEmpty());
    value = QStringLiteral("old");
    EXPECT_FALSE(GetKeyValue(RegRoot::LocalMachine, key, QStringLiteral("none"), value));
    EXPECT_TRUE(value.isEmpty());
    value = QStringLiteral("old");
    EXPECT_TRUE(GetKeyValue(RegRoot::LocalMachine, key, QStringLiteral("number"), value)) << "a value, if not a text";
    EXPECT_TRUE(value.isEmpty());
}

// The contents of the machine's registry file, empty when there is none.
QByteArray machineRegistry()
{
    QFile f(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/torvane/HKEY_LOCAL_MACHINE.reg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(GetKeyValue, OnlyReadsSoAMissingKeyStaysMissingAndNothingIsWritten)
{
    const QString key = QStringLiteral("SOFTWARE\\Test\\Never");
    const QByteArray before = machineRegistry();
    QString value;
    EXPECT_FALSE(GetKeyValue(RegRoot::LocalMachine, key, QStringLiteral("PATH"), value));
    EXPECT_EQ(machineRegistry(), before);
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, key.toLatin1().constData(), &h), ERROR_FILE_NOT_FOUND);
}

// The system information program is a script that leaves a mark when it runs.
class StartSysInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        deleteKey(SysInfoKey);
        deleteKey(SysInfoLocationKey);
    }

    static void deleteKey(const QString& key)
    {
        HKEY h = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, key.toLatin1().constData(), &h) != ERROR_SUCCESS)
            return;
        for (const char* name : {"PATH", "MSINFO"})
            RegDeleteValue(h, name);
        RegCloseKey(h);
    }

    // A program at `path` that creates `mark` in the test's folder.
    QString writeProgram(const QString& path, const QString& mark)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(dir.filePath(mark)).toLatin1());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    static void setText(const QString& key, const QString& name, const QString& text)
    {
        QByteArray data = text.toLatin1();
        data.append('\0');
        setRaw(key, name, REG_SZ, data);
    }

    // The mark appears once the started program ran; the program runs on its own.
    bool markAppears(const QString& mark) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (QFileInfo::exists(dir.filePath(mark)))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    QTemporaryDir dir;
    test::BoxRecorder boxes;
};

TEST_F(StartSysInfoTest, AProgramPathWinsOverAFolderHoldingTheProgram)
{
    setText(SysInfoKey, SysInfoValue, writeProgram(dir.filePath(QStringLiteral("sysinfo")), QStringLiteral("path")));
    QDir(dir.path()).mkdir(QStringLiteral("tools"));
    writeProgram(dir.filePath(QStringLiteral("tools/MSINFO32.EXE")), QStringLiteral("folder"));
    setText(SysInfoLocationKey, SysInfoLocationValue, dir.filePath(QStringLiteral("tools")));

    EXPECT_TRUE(StartSysInfo());
    EXPECT_TRUE(markAppears(QStringLiteral("path")));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StartSysInfoTest, TheFolderIsUsedWhenNoPathIsSetAndItsProgramNameMatchesInAnyCase)
{
    writeProgram(dir.filePath(QStringLiteral("msinfo32.exe")), QStringLiteral("folder"));
    setText(SysInfoLocationKey, SysInfoLocationValue, dir.path());
    EXPECT_TRUE(StartSysInfo());
    EXPECT_TRUE(markAppears(QStringLiteral("folder")));
    EXPECT_TRUE(boxes.boxes.empty());
}

struct Unavailable {
    const char* what;
    bool path;       // set a path value naming a missing program
    bool folder;     // set a folder value without the program
};

class SysInfoUnavailableTest : public StartSysInfoTest, public ::testing::WithParamInterface<Unavailable> {};

TEST_P(SysInfoUnavailableTest, SaysSoInABox)
{
    if (GetParam().path)
        setText(SysInfoKey, SysInfoValue, dir.filePath(QStringLiteral("missing")));
    if (GetParam().folder)
        setText(SysInfoLocationKey, SysInfoLocationValue, dir.path());
    EXPECT_FALSE(StartSysInfo());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("System-Informationen currently not available."));
    EXPECT_EQ(boxes.boxes[0].style, vbOKOnly);
    EXPECT_EQ(boxes.boxes[0].caption, AppTitle);
}

INSTANTIATE_TEST_SUITE_P(Cases, SysInfoUnavailableTest,
                         ::testing::Values(Unavailable {"nothing set", false, false},
                                           Unavailable {"folder without the program", false, true},
                                           Unavailable {"path to a missing program", true, false}),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param.what);
                             name.replace(QLatin1Char(' '), QLatin1Char('_'));
                             return name.toStdString();
                         });

} // namespace
} // namespace tessaro
