#include "platform/sharedmem/RuntimeDir.h"
#include "platform/sharedmem/SharedBlock.h"
#include "support/PeerProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using torvane::SharedBlock;
using torvane::test::PeerProcess;

namespace {

constexpr std::size_t BlockSize = 8192;

std::string textAt(const SharedBlock& block, std::size_t offset, std::size_t length)
{
    return std::string(static_cast<const char*>(block.data()) + offset, length);
}

bool allZero(const SharedBlock& block)
{
    const auto* bytes = static_cast<const unsigned char*>(block.data());
    return std::all_of(bytes, bytes + block.size(), [](unsigned char b) { return b == 0; });
}

} // namespace

TEST(SharedBlock, TwoProcessesSeeOneBlock)
{
    LONG err = -1;
    auto block = SharedBlock::attach("seen-by-two", BlockSize, {}, &err);
    ASSERT_TRUE(block) << err;
    EXPECT_EQ(err, ERROR_SUCCESS);
    EXPECT_TRUE(block->created());
    std::memcpy(static_cast<char*>(block->data()) + 100, "hello", 5);

    PeerProcess peer(SHM_PEER);
    ASSERT_TRUE(peer.started());
    EXPECT_EQ(peer.ask("attach seen-by-two 8192"), "ok existing");
    EXPECT_EQ(peer.ask("get 100 5"), "data hello");
    EXPECT_EQ(peer.ask("put 7000 world"), "ok");
    EXPECT_EQ(textAt(*block, 7000, 5), "world");
}

// Holders A and B; one of them is killed, the other leaves normally, in either order. The block
// survives while either lives and starts zero-filled once both are gone.
class SharedBlockRestart : public testing::TestWithParam<bool> {};

TEST_P(SharedBlockRestart, ZeroFilledOnlyAfterEveryHolderHasGone)
{
    const bool killFirst = GetParam();
    const std::string name = killFirst ? "restart-kill-first" : "restart-kill-last";
    PeerProcess a(SHM_PEER);
    PeerProcess b(SHM_PEER);
    ASSERT_EQ(a.ask("attach " + name + " 8192"), "ok created");
    ASSERT_EQ(b.ask("attach " + name + " 8192"), "ok existing");
    ASSERT_EQ(a.ask("put 4000 magic"), "ok");

    PeerProcess& first = killFirst ? a : b;
    PeerProcess& last = killFirst ? b : a;
    if (killFirst)
        first.kill(SIGKILL);
    else
        first.send("exit");
    ASSERT_TRUE(first.waitExit());

    {
        auto whileOneLives = SharedBlock::attach(name, BlockSize);
        ASSERT_TRUE(whileOneLives);
        EXPECT_FALSE(whileOneLives->created());
        EXPECT_EQ(textAt(*whileOneLives, 4000, 5), "magic");
    }

    if (killFirst)
        last.send("exit");
    else
        last.kill(SIGKILL);
    ASSERT_TRUE(last.waitExit());

    auto afterAll = SharedBlock::attach(name, BlockSize);
    ASSERT_TRUE(afterAll);
    EXPECT_TRUE(afterAll->created());
    EXPECT_TRUE(allZero(*afterAll));
}

INSTANTIATE_TEST_SUITE_P(KillFirstOrLast, SharedBlockRestart, testing::Bool());

TEST(SharedBlock, InitialiserRunsOnlyForAFreshBlock)
{
    int runs = 0;
    const auto init = [&runs](void* data, std::size_t size) {
        ++runs;
        EXPECT_EQ(size, BlockSize);
        std::memcpy(static_cast<char*>(data) + 10, "QVNPRO_ZelMutex", 15);
    };
    auto first = SharedBlock::attach("initialised", BlockSize, init);
    ASSERT_TRUE(first);
    auto second = SharedBlock::attach("initialised", BlockSize, init);
    ASSERT_TRUE(second);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(first->created());
    EXPECT_FALSE(second->created());
    EXPECT_EQ(textAt(*second, 10, 15), "QVNPRO_ZelMutex");

    PeerProcess peer(SHM_PEER);
    EXPECT_EQ(peer.ask("attach initialised 8192"), "ok existing");
    EXPECT_EQ(peer.ask("get 10 15"), "data QVNPRO_ZelMutex");
}

TEST(SharedBlock, AttachExistingNeedsALiveHolder)
{
    LONG err = 0;
    EXPECT_FALSE(SharedBlock::attachExisting("not-held", BlockSize, &err));
    EXPECT_EQ(err, ERROR_FILE_NOT_FOUND);

    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("attach not-held 8192"), "ok created");
    auto seen = SharedBlock::attachExisting("not-held", BlockSize, &err);
    ASSERT_TRUE(seen);
    EXPECT_FALSE(seen->created());
    seen.reset();

    peer.kill(SIGKILL);
    ASSERT_TRUE(peer.waitExit());
    EXPECT_FALSE(SharedBlock::attachExisting("not-held", BlockSize, &err));
    EXPECT_EQ(err, ERROR_FILE_NOT_FOUND);
}

TEST(SharedBlock, RefusesBadRequests)
{
    auto held = SharedBlock::attach("sized", BlockSize);
    ASSERT_TRUE(held);
    struct Case {
        const char* what;
        std::string name;
        std::size_t size;
        LONG error;
    };
    const Case cases[] = {
        {"other size while held", "sized", 2 * BlockSize, ERROR_INVALID_PARAMETER},
        {"size 0", "zero", 0, ERROR_INVALID_PARAMETER},
        {"empty name", "", BlockSize, ERROR_INVALID_NAME},
        {"name too long", std::string(300, 'x'), BlockSize, ERROR_INVALID_NAME},
    };
    for (const auto& c : cases) {
        LONG err = 0;
        EXPECT_FALSE(SharedBlock::attach(c.name, c.size, {}, &err)) << c.what;
        EXPECT_EQ(err, c.error) << c.what;
    }
}

TEST(SharedBlock, NamesWithSlashesAndPercentsStayApart)
{
    auto slash = SharedBlock::attach("a/b", BlockSize);
    ASSERT_TRUE(slash);
    std::memcpy(slash->data(), "slash", 5);
    auto percent = SharedBlock::attach("a%2Fb", BlockSize);
    ASSERT_TRUE(percent);
    EXPECT_TRUE(percent->created());
    EXPECT_TRUE(allZero(*percent));
    auto dots = SharedBlock::attach("..", BlockSize);
    ASSERT_TRUE(dots);
    EXPECT_TRUE(dots->created());
}

TEST(RuntimeDir, IsMadePrivateAndMustBeOurOwnFolder)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* tmp = std::getenv("TORVANE_TEST_TMP");
    ASSERT_TRUE(runtime && tmp) << "run through tests/isolate.sh";
    const std::string saved = runtime;
    const std::string base = std::string(tmp) + "/rundir-check";
    ASSERT_EQ(mkdir(base.c_str(), 0700), 0);
    setenv("XDG_RUNTIME_DIR", base.c_str(), 1);

    ASSERT_EQ(mkdir((base + "/torvane").c_str(), 0755), 0);
    int err = -1;
    EXPECT_EQ(torvane::runtimeDir(&err), "");
    EXPECT_EQ(err, EACCES);
    struct stat st {};
    ASSERT_EQ(stat((base + "/torvane").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u) << "a folder open to others is not narrowed into a private one";
    ASSERT_EQ(rmdir((base + "/torvane").c_str()), 0);
    EXPECT_EQ(torvane::runtimeDir(&err), base + "/torvane");

    ASSERT_EQ(rename((base + "/torvane").c_str(), (base + "/elsewhere").c_str()), 0);
    ASSERT_EQ(symlink((base + "/elsewhere").c_str(), (base + "/torvane").c_str()), 0);
    EXPECT_EQ(torvane::runtimeDir(&err), "");
    EXPECT_EQ(err, EACCES);
    LONG attachErr = 0;
    EXPECT_FALSE(SharedBlock::attach("through-link", BlockSize, {}, &attachErr));
    EXPECT_EQ(attachErr, ERROR_ACCESS_DENIED);

    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}
