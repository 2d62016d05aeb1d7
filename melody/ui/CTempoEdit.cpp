#include "melody/ui/CTempoEdit.h"

#include "melody/editing/TempoText.h"

#include <QIntValidator>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int TEMPO_DIGITS = 3;

// Digits only, as the field's number style allows.
class DigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar c : input)
            if (!c.isDigit())
                return Invalid;
        return Acceptable;
    }
};

} // namespace

CTempoEdit::CTempoEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("edit102"));
    setMaxLength(TEMPO_DIGITS);
    setValidator(new DigitsValidator(this));
    setAlignment(Qt::AlignRight);
}

int CTempoEdit::ReadTempo()
{
    kept_ = TempoFromText(text().toStdString());
    setText(QString::number(kept_));
    return kept_;
}

void CTempoEdit::ShowTempo(int beatsPerMinute)
{
    if (spin_)
        spin_->SetPosition(beatsPerMinute);
    else
        setText(QString::number(std::clamp(beatsPerMinute, TEMPO_MIN, TEMPO_MAX)));
}

void CTempoEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int tempo = ReadTempo();
        if (entered)
            entered(tempo);
        return;
    }
    case Qt::Key_Up:
        if (spin_)
            spin_->Step(1);
        return;
    case Qt::Key_Down:
        if (spin_)
            spin_->Step(-1);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

CTempoSpin::CTempoSpin(CTempoEdit* buddy, QWidget* parent) : QWidget(parent), buddy_(buddy)
{
    setObjectName(QStringLiteral("spin101"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int delta : {1, -1}) {
        auto* button = new QToolButton(this);
        button->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFixedSize(15, 10);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        layout->addWidget(button);
    }
    buddy_->SetSpin(this);
    SetPosition(TEMPO_DEFAULT);
}

void CTempoSpin::SetPosition(int position)
{
    position_ = std::clamp(position, TEMPO_MIN, TEMPO_MAX);
    buddy_->setText(QString::number(position_));
}

void CTempoSpin::Step(int delta)
{
    // The user may have typed into the field since: its number is where the step starts.
    bool ok = false;
    const int typed = buddy_->text().toInt(&ok);
    SetPosition((ok ? std::clamp(typed, TEMPO_MIN, TEMPO_MAX) : position_) + delta);
}
