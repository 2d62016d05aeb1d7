// The settings sheet ("Configuring"): the pages "SMS", "Mobile phone directory" and
// "Connection", with OK, Cancel and Apply. OK and Apply write every page's values; a page whose
// values break a limit keeps the user on it.
#pragma once

#include "mainprog/core/EngineApi.h"
#include "platform/registry/AppProfile.h"

#include <QDialog>

#include <functional>
#include <vector>

class QPushButton;
class QTabWidget;

namespace corvant {

class CfgPage;

class CCfgPropSheet : public QDialog {
    Q_OBJECT

public:
    // configureSmsManager runs after the SMS page wrote its values.
    CCfgPropSheet(EngineApi& engine, torvane::registry::AppProfile& profile, std::function<void()> configureSmsManager,
                  QWidget* parent = nullptr);

    void accept() override;
    // Writes every page; false when the current page may not be left.
    bool apply();

    QTabWidget* tabs() const { return tabs_; }
    CfgPage* page(int index) const { return pages_.at(std::size_t(index)); }

private:
    void onPageChanged(int index);

    QTabWidget* tabs_ = nullptr;
    std::vector<CfgPage*> pages_;
    QPushButton* apply_ = nullptr;
    int current_ = 0;
};

} // namespace corvant
