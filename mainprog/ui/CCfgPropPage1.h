// The SMS page of the settings sheet (dialog 135): maximum number of concatenated SMS, service
// centre, validity, waiting period, spool folder and preview.
//
// Each of the five fields remembers its selection and text when it gets the focus. Enter accepts
// the field and moves on (maximum number -> service centre -> validity -> waiting period ->
// folder -> maximum number), as does choosing an item from a combo's list. A field left without
// being accepted gets its remembered value back: a combo always, an edit field when left with
// Tab (leaving it with the mouse accepts it). A click on the page restores the field being
// edited.
#pragma once

#include "mainprog/core/CfgPage1Model.h"
#include "mainprog/core/EngineApi.h"
#include "mainprog/ui/CfgPage.h"

#include <QString>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace corvant {

class CCfgPropPage1 : public CfgPage {
    Q_OBJECT

public:
    CCfgPropPage1(EngineApi& engine, torvane::registry::AppProfile& profile, std::function<void()> configureSmsManager,
                  QWidget* parent = nullptr);

    bool OnKillActive() override;
    void OnOK() override;

    // What OK would write now.
    CfgPage1Choice choice() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Memory {
        int field = -1; // index into fields_; -1: none being edited
        int selection = -1;
        QString text;
        bool accepted = false;
    };

    int fieldOf(QObject* object) const;
    void remember(int field);
    void restore();
    void acceptAndMoveOn(int field);
    void onServiceEdited(const QString& text);
    void onBrowse();

    EngineApi& engine_;
    CfgPage1Model model_;
    std::function<void()> configureSmsManager_;

    QLineEdit* maxParts_ = nullptr;   // 1029
    QComboBox* service_ = nullptr;    // 1002
    QComboBox* validity_ = nullptr;   // 1003
    QLineEdit* wait_ = nullptr;       // 1030
    QComboBox* directory_ = nullptr;  // 1004
    QPushButton* browse_ = nullptr;   // 1028
    QCheckBox* preview_ = nullptr;    // 1001
    std::array<QWidget*, 5> fields_ {};

    std::string typedService_;
    std::string typedPath_;
    Memory memory_;
};

} // namespace corvant
