// The phonebook page of the settings sheet (dialog 136): the directories the phonebook editor
// offers, its automatic loading and its preview row.
#pragma once

#include "mainprog/core/CfgPage2Model.h"
#include "mainprog/ui/CfgPage.h"

#include <array>

class QCheckBox;

namespace corvant {

class CCfgPropPage2 : public CfgPage {
    Q_OBJECT

public:
    explicit CCfgPropPage2(torvane::registry::AppProfile& profile, QWidget* parent = nullptr);

    void OnOK() override;
    CfgPage2Values values() const;

private:
    CfgPage2Model model_;
    std::array<QCheckBox*, PHONEBOOK_DIRECTORIES> directories_ {};
    QCheckBox* autoload_ = nullptr;
    QCheckBox* showCorrection_ = nullptr;
};

} // namespace corvant
