// The simulated phone's state file: what is saved loads back the same, and a bad file is
// reported and changes nothing.
#include "tools/phonesim/PhoneSim.h"

#include "support/UnwritableFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace torvane::phonesim;

namespace {

QString tempFile(const char* name)
{
    return QString::fromLocal8Bit(std::getenv("TORVANE_TEST_TMP")) + "/" + name;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A feature's own store, as the SMS and phonebook modules will keep theirs.
class StoreModule : public PhoneModule {
public:
    QString key() const override { return "store"; }
    void addCommands(CommandTable&) override {}
    QString loadState(const QJsonObject& json) override
    {
        if (!json.value("items").isArray())
            return "items must be a list";
        items.clear();
        for (const auto& v : json.value("items").toArray())
            items.push_back(v.toString().toStdString());
        return {};
    }
    QJsonObject saveState() const override
    {
        QJsonArray list;
        for (const auto& i : items)
            list.append(QString::fromStdString(i));
        return {{"items", list}};
    }
    std::vector<std::string> items;
};

PhoneState unusualState()
{
    PhoneState s;
    s.line = {false, true, false, 2};
    s.identity = {"OTHER MAKER", "X1"};
    s.sim.lock = SimLock::SimPuk2;
    s.sim.pin = "0000";
    s.sim.puk = "11112222";
    s.sim.pin2 = "9";
    s.sim.puk2 = "33334444";
    s.sim.pinAttempts = 1;
    s.sim.pukAttempts = 7;
    s.sim.pin2Attempts = 0;
    s.sim.puk2Attempts = 9;
    s.network = {Registration::Roaming, 2};
    s.battery = {1, 5};
    s.signal = {31, 3};
    return s;
}

TEST(StateFile, SavedStateLoadsBackTheSame)
{
    PhoneSim saved;
    saved.addModule(std::make_unique<StoreModule>());
    saved.setState(unusualState());
    saved.withModule<StoreModule>([](StoreModule& m) { m.items = {"one", "two"}; });
    const QString folder = tempFile("state");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/phone.json";
    ASSERT_EQ(saved.saveStateFile(path), QString());

    PhoneSim loaded;
    loaded.addModule(std::make_unique<StoreModule>());
    ASSERT_EQ(loaded.loadStateFile(path), QString());
    EXPECT_EQ(loaded.state(), unusualState());
    EXPECT_EQ(loaded.withModule<StoreModule>([](StoreModule& m) { return m.items; }),
              (std::vector<std::string> {"one", "two"}));

    // On a full disk the state saved before stays whole, and the save says why it failed.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    torvane::test::UnwritableFolder full(folder.toStdString());
    saved.withModule<StoreModule>([](StoreModule& m) { m.items.assign(2000, "many more items"); });
    EXPECT_TRUE(saved.saveStateFile(path).endsWith(QString::fromStdString(full.reason())));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST(StateFile, MissingKeysKeepTheDefaultsOfAWorkingPhone)
{
    const QString path = tempFile("partial.json");
    writeFile(path, R"({"sim": {"state": "SIM PIN"}, "network": {"registration": "searching"}})");
    PhoneSim sim;
    ASSERT_EQ(sim.loadStateFile(path), QString());
    PhoneState expected;
    expected.sim.lock = SimLock::SimPin;
    expected.network.registration = Registration::Searching;
    EXPECT_EQ(sim.state(), expected);
    EXPECT_EQ(PhoneState().identity.manufacturer, "TORVANE");
}

TEST(StateFile, BadFilesAreReportedAndChangeNothing)
{
    const std::pair<const char*, const char*> cases[] = {
        {"{", "phone.json"},
        {"[1,2]", "JSON object"},
        {R"({"sim": {"state": "LOCKED"}})", "sim.state"},
        {R"({"sim": {"pinAttempts": 4}})", "sim.pinAttempts"},
        {R"({"line": {"echo": "yes"}})", "line.echo"},
        {R"({"line": {"cmee": 1.5}})", "line.cmee"},
        {R"({"network": []})", "network"},
        {R"({"modules": {"store": {"items": 3}}})", "modules.store"},
    };
    for (const auto& [content, mentions] : cases) {
        const QString path = tempFile("phone.json");
        writeFile(path, content);
        PhoneSim sim;
        sim.addModule(std::make_unique<StoreModule>());
        sim.setState(unusualState());
        const QString error = sim.loadStateFile(path);
        EXPECT_TRUE(error.contains(mentions)) << content << " -> " << error.toStdString();
        EXPECT_EQ(sim.state(), unusualState()) << content;
    }
    PhoneSim sim;
    EXPECT_FALSE(sim.loadStateFile(tempFile("missing.json")).isEmpty());
}

} // namespace
