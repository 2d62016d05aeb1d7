// The names are what the message service's scripts and the dialog tests look controls up by.
#include "platform/ui/controlids/ControlIds.h"

#include <gtest/gtest.h>

#include <QTimer>

using namespace torvane::ui;

TEST(ControlIds, NamesCarryTheKindPrefixAndTheId)
{
    const std::pair<ControlKind, const char*> table[] = {
        {ControlKind::Button, "button1002"}, {ControlKind::Check, "check1002"}, {ControlKind::Combo, "combo1002"},
        {ControlKind::Edit, "edit1002"},     {ControlKind::List, "list1002"},   {ControlKind::Static, "static1002"},
    };
    for (const auto& [kind, name] : table)
        EXPECT_EQ(controlName(kind, 1002), QLatin1String(name));
    EXPECT_EQ(controlName(ControlKind::Button, 1), QStringLiteral("button1"));
}

TEST(ControlIds, FindsTheNamedChildByKindIdAndType)
{
    QObject dialog;
    QObject* plain = nameControl(new QObject(&dialog), ControlKind::Edit, 1000);
    QTimer* timer = nameControl(new QTimer(&dialog), ControlKind::Button, 1000);
    EXPECT_EQ(plain->objectName(), QStringLiteral("edit1000"));

    EXPECT_EQ(findControl<QObject>(dialog, ControlKind::Edit, 1000), plain);
    EXPECT_EQ(findControl<QTimer>(dialog, ControlKind::Button, 1000), timer);
    EXPECT_EQ(findControl<QTimer>(dialog, ControlKind::Edit, 1000), nullptr); // other type
    EXPECT_EQ(findControl<QObject>(dialog, ControlKind::Combo, 1000), nullptr); // other kind
    EXPECT_EQ(findControl<QObject>(dialog, ControlKind::Edit, 100), nullptr); // other id
}
