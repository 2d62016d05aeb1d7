#include "platform/process/SharedLibrary.h"

#include "outlookbutton/ProgramRecord.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace torvane::process;
using torvane::testing::RecordedPrograms;
using torvane::testing::testFolder;

namespace {

const std::string kProcedures = TORVANE_TEST_PROCEDURES;

bool isLoaded(const std::string& path)
{
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle);
    return handle != nullptr;
}

TEST(LibraryProcedure, IsCalledOnceAndTheLibraryUnloaded)
{
    RecordedPrograms calls(testFolder() + "/calls.rec");
    EXPECT_FALSE(callLibraryProcedure(kProcedures, "recordCall"));
    EXPECT_EQ(calls.lines(), std::vector<std::string>{"called"});
    EXPECT_FALSE(isLoaded(kProcedures));
}

struct CallFailure {
    const char* name;
    std::string library;
    std::string procedure;
    LibraryCallError::Stage stage;
};

class LibraryProcedureFailure : public ::testing::TestWithParam<CallFailure> {
};

TEST_P(LibraryProcedureFailure, NamesTheStageAndCallsNothing)
{
    RecordedPrograms calls(testFolder() + "/failed.rec");
    const auto failure = callLibraryProcedure(GetParam().library, GetParam().procedure);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->stage, GetParam().stage);
    EXPECT_FALSE(failure->error.message.empty());
    EXPECT_TRUE(calls.lines().empty());
    EXPECT_FALSE(isLoaded(kProcedures));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LibraryProcedureFailure,
    ::testing::Values(
        CallFailure{"MissingLibrary", "/nonexistent/libnothing.so", "recordCall", LibraryCallError::Stage::Load},
        CallFailure{"NotALibrary", "/dev/null", "recordCall", LibraryCallError::Stage::Load},
        CallFailure{"EmptyName", "", "recordCall", LibraryCallError::Stage::Load},
        CallFailure{"MissingProcedure", kProcedures, "noSuchProcedure", LibraryCallError::Stage::Lookup},
        CallFailure{"DataNotCode", kProcedures, "recordCallCount", LibraryCallError::Stage::Lookup},
        CallFailure{"EmptyProcedure", kProcedures, "", LibraryCallError::Stage::Lookup}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
