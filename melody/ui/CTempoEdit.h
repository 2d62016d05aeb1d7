// The tool bar's tempo: the field (CTempoEdit) that every melody reads its tempo from, and the
// spin beside it that sets the field's text.
#pragma once

#include "melody/document/TempoField.h"

#include <QLineEdit>
#include <QWidget>

#include <functional>

class QToolButton;
class CTempoSpin;

class CTempoEdit : public QLineEdit, public TempoField {
    Q_OBJECT

public:
    explicit CTempoEdit(QWidget* parent = nullptr);

    void SetSpin(CTempoSpin* spin) { spin_ = spin; }
    // The text read as a tempo, held to 40 to 240, written back and kept.
    int ReadTempo() override;
    void ShowTempo(int beatsPerMinute) override;
    int Kept() const { return kept_; }
    void SetKept(int value) { kept_ = value; }

    // Enter: the tempo goes to the active melody and the focus to its view.
    std::function<void(int tempo)> entered;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CTempoSpin* spin_ = nullptr;
    int kept_ = TEMPO_DEFAULT;
};

class CTempoSpin : public QWidget {
    Q_OBJECT

public:
    CTempoSpin(CTempoEdit* buddy, QWidget* parent = nullptr);

    int Position() const { return position_; }
    // Held to the range; the buddy shows it.
    void SetPosition(int position);
    void Step(int delta);

private:
    CTempoEdit* buddy_;
    int position_ = TEMPO_DEFAULT;
};
