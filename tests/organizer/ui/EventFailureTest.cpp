// A failure inside an event of the organizer's main window, under the application object the
// program runs under: the organizer's error box names the object and its event, with the
// failure's number, source and description (its own text for a failure that has none of them),
// and the program goes on with its window.
#include "TessaroAppFixture.h"

#include "organizer/link/OrgError.h"
#include "support/FailingEvent.h"

#include <new>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;

TEST_F(TessaroAppTest, AFailingWindowEventShowsTheErrorBoxAndTheProgramGoesOn)
{
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    ASSERT_TRUE(waitUntilUp());
    MainWindow& window = *app->window();
    const std::size_t before = boxes().size();
    torvane::test::FailingEvent failing(window, QEvent::Close, [] {
        throw torvane::controls::ControlError(torvane::controls::ErrSubscriptOutOfRange, QStringLiteral("FG1"),
                                              QStringLiteral("Subscript out of range"));
    });
    EXPECT_FALSE(window.close());
    failing.fail = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(window.close());

    ASSERT_TRUE(waitFor([&] { return boxes().size() == before + 2; }, 10s));
    const QString location = QStringLiteral("Location: ") + AppTitle + QStringLiteral(":Main_Form_Close");
    EXPECT_EQ(boxes()[before].caption, QStringLiteral("An Error Occurred In: FG1:Main_Form_Close"));
    EXPECT_EQ(boxes()[before].text, "Number: 9\r\nDescription: Subscript out of range\r\n" + location);
    EXPECT_EQ(boxes()[before + 1].caption, "An Error Occurred In: " + AppTitle + ":Main_Form_Close");
    EXPECT_EQ(boxes()[before + 1].text, "Number: 51\r\nDescription: std::bad_alloc\r\n" + location);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(ends, 0);
}

} // namespace
} // namespace tessaro::test
