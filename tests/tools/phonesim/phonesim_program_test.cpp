// The phonesim program as a user runs it: options, the link, the state file written at the end.
#include "SimLink.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace simtest;

namespace {

std::string tempPath(const char* name)
{
    return std::string(std::getenv("TORVANE_TEST_TMP")) + "/" + name;
}

pid_t startProgram(std::vector<std::string> args)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        std::string program = PHONESIM_PROGRAM;
        argv.push_back(program.data());
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

int endProgram(pid_t pid)
{
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PhonesimProgram, AnswersOnTheLinkAppliesFaultsAndSavesItsStateAtTheEnd)
{
    const std::string state = tempPath("phone.json");
    {
        QFile f(QString::fromStdString(state));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"sim": {"state": "SIM PIN"}})");
    }
    const pid_t pid = startProgram({"--link", comLink(), "--state", state, "--fault", "cme:13:+CSQ*1",
                                    "--transcript", tempPath("transcript.log")});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitFor([] { return ::access(comLink().c_str(), F_OK) == 0; })) << "no link appeared";

    auto port = torvane::serial::SerialPort::open("COM1");
    ASSERT_TRUE(port) << port.error().text;
    const auto ask = [&](const std::string& line) {
        port->write(line + "\r");
        std::string got;
        const auto deadline = Clock::now() + 3s;
        while (!hasFinalResult(got) && Clock::now() < deadline) {
            pollfd p {port->fd(), POLLIN, 0};
            ::poll(&p, 1, 10);
            got += *port->readAll();
        }
        return got;
    };
    EXPECT_EQ(ask("ATE0"), "ATE0\r\r\nOK\r\n");
    EXPECT_EQ(ask("AT+CPIN?"), "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n");
    EXPECT_EQ(ask("AT+CSQ"), "\r\n+CME ERROR: 13\r\n");
    EXPECT_EQ(ask("AT+CSQ"), "\r\n+CSQ: 20,99\r\n\r\nOK\r\n");
    EXPECT_EQ(ask("AT+CPIN=1234"), "\r\nOK\r\n");
    port->close();

    EXPECT_EQ(endProgram(pid), 0);
    EXPECT_NE(::access(comLink().c_str(), F_OK), 0) << "the link outlived the phone";
    QFile f(QString::fromStdString(state));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonObject saved = QJsonDocument::fromJson(f.readAll()).object();
    EXPECT_EQ(saved.value("sim").toObject().value("state").toString(), "READY");
    EXPECT_EQ(saved.value("line").toObject().value("echo").toBool(true), false);
    QFile transcript(QString::fromStdString(tempPath("transcript.log")));
    ASSERT_TRUE(transcript.open(QIODevice::ReadOnly));
    EXPECT_TRUE(transcript.readAll().contains(R"(in  "AT+CPIN=1234\r")"));
}

TEST(PhonesimProgram, RefusesBadOptionsWithAReason)
{
    for (std::vector<std::string> args : {std::vector<std::string> {},
                                          {"--link", comLink(), "--fault", "loud"},
                                          {"--link", comLink(), "--baud", "fast"}}) {
        const pid_t pid = startProgram(args);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << (args.empty() ? "" : args.back());
    }
}

} // namespace
