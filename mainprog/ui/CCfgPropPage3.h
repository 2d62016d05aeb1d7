// The connection page of the settings sheet (dialog 137): the port of the phone.
#pragma once

#include "mainprog/core/CfgPage3Model.h"
#include "mainprog/ui/CfgPage.h"

class QComboBox;

namespace corvant {

class CCfgPropPage3 : public CfgPage {
    Q_OBJECT

public:
    explicit CCfgPropPage3(torvane::registry::AppProfile& profile, QWidget* parent = nullptr);

    void OnOK() override;

private:
    CfgPage3Model model_;
    QComboBox* port_ = nullptr; // 1002
};

} // namespace corvant
