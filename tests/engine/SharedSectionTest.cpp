// The shared section as a process attaches it: named mutex record from the start, one section
// for every attach, and the page view that makes ZelSimPin the section's PIN record.
#include "engine/SharedSection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t kPage = 4096;

// One anonymous page, as the library's ZelSimPin page is before it becomes a view.
struct Page {
    Page() : data(mmap(nullptr, kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {}
    ~Page() { munmap(data, kPage); }
    char* text() const { return static_cast<char*>(data); }
    void* data;
};

TEST(SharedSection, StartsWithTheMutexNameAndOtherwiseZero)
{
    LONG error = -1;
    auto section = zel::SharedSection::attach(&error);
    ASSERT_NE(section, nullptr) << error;
    const EngineShared& shared = section->shared();
    EXPECT_STREQ(shared.mutexName, "QVNPRO_ZelMutex");
    EXPECT_EQ(shared.owner, 0u);
    EXPECT_EQ(shared.pbRead.head.state, JOB_IDLE);
    EXPECT_EQ(shared.txBuffer[0], '\0');
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(shared.simPin) % std::size_t(sysconf(_SC_PAGESIZE)), 0u)
        << "the PIN record starts a page";
}

TEST(SharedSection, EveryAttachSeesTheSameSection)
{
    auto first = zel::SharedSection::attach();
    auto second = zel::SharedSection::attach();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    first->shared().smSend.length = 171;
    EXPECT_EQ(second->shared().smSend.length, 171);
}

TEST(SharedSection, MirroredPageIsThePinRecord)
{
    if (sysconf(_SC_PAGESIZE) != long(kPage))
        GTEST_SKIP() << "pages of another size keep ZelSimPin per process";
    auto section = zel::SharedSection::attach();
    ASSERT_NE(section, nullptr);
    Page page;
    std::strcpy(page.text(), "1357"); // written before the view existed: kept
    ASSERT_TRUE(section->mirrorSimPin(page.data, kPage));
    EXPECT_STREQ(section->shared().simPin, "1357");
    std::strcpy(page.text(), "9753");
    EXPECT_STREQ(section->shared().simPin, "9753");
    std::strcpy(section->shared().simPin, "24");
    EXPECT_STREQ(page.text(), "24");
}

TEST(SharedSection, MirrorRefusesAPageNotOnABoundary)
{
    auto section = zel::SharedSection::attach();
    ASSERT_NE(section, nullptr);
    Page page;
    EXPECT_FALSE(section->mirrorSimPin(page.text() + 16, kPage));
    EXPECT_FALSE(section->mirrorSimPin(page.data, kPage / 2));
}

} // namespace
