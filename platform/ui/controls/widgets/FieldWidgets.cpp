#include "platform/ui/controls/widgets/FieldWidgets.h"

#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/ControlBinding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>

namespace torvane::controls {

namespace {

// A text box that shows its whole text, and a button its whole caption, go down in these steps,
// to no less than this size.
constexpr double kWholeTextStepPoints = 0.5;
constexpr double kLeastWholeTextPoints = 6;
// The pixels a line edit keeps clear left and right of its text.
constexpr int kLineEditTextMargin = 2;

// Another window taking the keyboard for a while (a message box, a combo's list) is no change of
// the focus as the window's code sees it.
bool realFocusChange(const QFocusEvent& event)
{
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

// The font, made smaller step by step where needed, in which text fits room pixels.
QFont fontForWholeText(QFont font, const QString& text, int room)
{
    double size = font.pointSizeF();
    while (size > kLeastWholeTextPoints && QFontMetrics(font).horizontalAdvance(text) > room) {
        size -= kWholeTextStepPoints;
        font.setPointSizeF(size);
    }
    return font;
}

} // namespace

int keyAscii(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const QString text = event.text();
    return text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() <= 255 ? text[0].unicode() : 0;
}

ComboBoxWidget::ComboBoxWidget(ComboBox& model, QWidget* parent) : QComboBox(parent), m_model(model)
{
    bindToControl(this, model);
    follow();
    connect(&model, &ComboBox::stateChanged, this, &ComboBoxWidget::follow);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_following)
            m_model.userPicked(index);
    });
}

void ComboBoxWidget::follow()
{
    m_following = true;
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (shown != m_model.items()) {
        clear();
        addItems(m_model.items());
    }
    setCurrentIndex(m_model.listIndex());
    setToolTip(m_model.toolTipText());
    m_following = false;
}

CommandButtonWidget::CommandButtonWidget(CommandButton& model, QWidget* parent) : QPushButton(parent)
{
    bindToControl(this, model);
    auto follow = [this, &model] {
        setText(model.caption());
        setToolTip(model.toolTipText());
        fitCaption();
    };
    follow();
    connect(&model, &CommandButton::stateChanged, this, follow);
    connect(this, &QPushButton::clicked, &model, &CommandButton::userClick);
}

void CommandButtonWidget::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    fitCaption();
}

void CommandButtonWidget::fitCaption()
{
    setFont(QFont()); // the font the button inherits
    QStyleOptionButton option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    const QFont f = fontForWholeText(font(), QString(text()).remove(QLatin1Char('&')), room);
    if (f != font())
        setFont(f);
}

TextBoxWidget::TextBoxWidget(TextBox& model, QWidget* parent) : QLineEdit(parent), m_model(model)
{
    bindToControl(this, model);
    sync();
    connect(&model, &TextBox::stateChanged, this, &TextBoxWidget::sync);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& proposed) {
        const int cursor = cursorPosition();
        const QString kept = m_model.userEdited(proposed);
        if (text() != kept) {
            setText(kept);
            setCursorPosition(std::min<int>(cursor, int(kept.size())));
        }
    });
}

void TextBoxWidget::sync()
{
    if (text() != m_model.text())
        setText(m_model.text());
    setToolTip(m_model.toolTipText());
    setEnabled(m_model.isEnabled());
    QFont f = font();
    if (!m_model.fontName().isEmpty())
        f.setFamily(m_model.fontName());
    f.setPointSize(m_model.fontSize());
    setFont(m_wholeText ? fontForWholeText(f, text(), textRoom()) : f);
}

void TextBoxWidget::setShowsWholeText(bool whole)
{
    m_wholeText = whole;
    sync();
}

// The width the box has for its text: inside its frame and text margins, less the two pixels the
// line edit keeps clear on each side.
int TextBoxWidget::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * kLineEditTextMargin;
}

void TextBoxWidget::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    if (m_wholeText)
        sync();
}

void TextBoxWidget::keyPressEvent(QKeyEvent* event)
{
    const int code = keyAscii(*event);
    if (code != 0 && m_model.userKeyPress(code) == 0) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    // Enter and Esc would go on to the window (default button, closing); a text box keeps them.
    if (code == 13 || code == 27)
        event->accept();
}

void TextBoxWidget::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (realFocusChange(*event))
        m_model.focusChanged(true);
}

void TextBoxWidget::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (realFocusChange(*event))
        m_model.focusChanged(false, focusTargetName(QApplication::focusWidget()));
}

FrameWidget::FrameWidget(Frame& model, QWidget* parent, Border border) : QFrame(parent)
{
    setFrameStyle(border == Border::Etched ? QFrame::Box | QFrame::Sunken : QFrame::NoFrame);
    // A pop-up panel covers what lies below it.
    setAutoFillBackground(true);
    bindToControl(this, model);
}

OptionButtonWidget::OptionButtonWidget(OptionButton& model, QWidget* parent) : QRadioButton(parent), m_model(model)
{
    // The model keeps its group; Qt's own grouping would clear a button behind its back.
    setAutoExclusive(false);
    bindToControl(this, model);
    sync();
    connect(&model, &OptionButton::stateChanged, this, &OptionButtonWidget::sync);
    connect(this, &QAbstractButton::clicked, this, [this] {
        m_model.userClick();
        sync();
    });
}

void OptionButtonWidget::sync()
{
    setText(m_model.caption());
    setEnabled(m_model.isEnabled());
    setChecked(m_model.value());
}

CheckBoxWidget::CheckBoxWidget(CheckBox& model, QWidget* parent) : QCheckBox(parent), m_model(model)
{
    bindToControl(this, model);
    sync();
    connect(&model, &CheckBox::stateChanged, this, &CheckBoxWidget::sync);
    connect(this, &QAbstractButton::clicked, this, [this] {
        m_model.userClick();
        sync();
    });
}

void CheckBoxWidget::sync()
{
    setText(m_model.caption());
    setToolTip(m_model.toolTipText());
    setEnabled(m_model.isEnabled());
    setChecked(m_model.value() == 1);
}

ImageWidget::ImageWidget(Image& model, QWidget* parent) : PictureBoxWidget(model, parent), m_model(model) {}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        m_model.userClick();
        return;
    }
    PictureBoxWidget::mouseReleaseEvent(event);
}

LineWidget::LineWidget(Line& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    bindToControl(this, model);
    connect(&model, &Line::geometryChanged, this, qOverload<>(&QWidget::update));
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint origin(twipsToPixels(m_model.left()), twipsToPixels(m_model.top()));
    const QPoint from = QPoint(twipsToPixels(m_model.x1()), twipsToPixels(m_model.y1())) - origin;
    const QPoint to = QPoint(twipsToPixels(m_model.x2()), twipsToPixels(m_model.y2())) - origin;
    painter.drawLine(from, to);
}

} // namespace torvane::controls
