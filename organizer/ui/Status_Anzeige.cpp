#include "organizer/ui/Status_Anzeige.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/TessaroStrings.h"
#include "platform/ui/controls/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tessaro {

using torvane::controls::pixelsToTwips;
using torvane::controls::twipsRect;
using torvane::controls::twipsToPixels;

namespace {

// The window's design, in twips.
constexpr double kWidth = 5400;
constexpr double kHeight = 1950;
constexpr double kMargin = 120;
constexpr double kTextHeight = 600;
constexpr double kProgressTop = 780;
constexpr double kProgressHeight = 255;
constexpr double kButtonTop = 1200;
constexpr double kButtonWidth = 1440;
constexpr double kButtonHeight = 375;

const Qt::WindowFlags kWindowFlags = Qt::Dialog | Qt::WindowStaysOnTopHint;

} // namespace

Status_Anzeige::Status_Anzeige() = default;

Status_Anzeige::~Status_Anzeige()
{
    if (&StatusWindow() == this)
        setStatusDisplay(nullptr);
    delete m_form.data();
    for (const QPointer<QWidget>& form : m_unloaded)
        delete form.data();
}

void Status_Anzeige::load()
{
    if (m_form)
        return;
    auto* form = new QWidget(nullptr, kWindowFlags);
    form->setObjectName(QStringLiteral("Status_Anzeige"));
    form->setFixedSize(twipsToPixels(kWidth), twipsToPixels(kHeight));

    m_text = new QLabel(form);
    m_text->setObjectName(QStringLiteral("Text"));
    m_text->setGeometry(twipsRect(kMargin, kMargin, kWidth - 2 * kMargin, kTextHeight));
    m_text->setWordWrap(true);

    m_progress = new QProgressBar(form);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setGeometry(twipsRect(kMargin, kProgressTop, kWidth - 2 * kMargin, kProgressHeight));
    m_progress->setTextVisible(false);

    m_abbrechen = new QPushButton(QStringLiteral("cancel"), form);
    m_abbrechen->setObjectName(QStringLiteral("Abbrechen"));
    m_abbrechen->setGeometry(twipsRect((kWidth - kButtonWidth) / 2, kButtonTop, kButtonWidth, kButtonHeight));

    // OK takes Abbrechen's place: its width and top, centred in the window.
    m_ok = new QPushButton(QStringLiteral("OK"), form);
    m_ok->setObjectName(QStringLiteral("OK"));
    const QRect cancel = m_abbrechen->geometry();
    m_ok->setGeometry((form->width() - cancel.width()) / 2, cancel.y(), cancel.width(), cancel.height());
    m_ok->hide();
    connect(m_ok, &QPushButton::clicked, this, [this] { Quit(); });

    // The window previews every key of its controls, so Esc cancels wherever the focus is.
    form->installEventFilter(this);
    for (QWidget* child : form->findChildren<QWidget*>())
        child->installEventFilter(this);

    if (!m_silenceMode)
        m_abbrechen->setText(CancelButtonCaption());
    m_form = form;
}

void Status_Anzeige::unload()
{
    if (!m_form)
        return;
    QWidget* form = m_form;
    m_form = nullptr;
    m_text = nullptr;
    m_abbrechen = nullptr;
    m_ok = nullptr;
    m_progress = nullptr;
    form->hide();
    // OK's own click may be what unloads the window: it goes once that click has returned.
    m_unloaded.erase(std::remove(m_unloaded.begin(), m_unloaded.end(), nullptr), m_unloaded.end());
    m_unloaded.emplace_back(form);
    form->deleteLater();
}

void Status_Anzeige::placeOnTop()
{
    if (!m_form)
        return;
    m_form->setGeometry(twipsRect(m_leftTwips, m_topTwips, kWidth, kHeight));
    m_form->raise();
}

void Status_Anzeige::letEventsRun()
{
    QCoreApplication::processEvents();
}

void Status_Anzeige::Start(const QString& Caption, QWidget* Parent, bool SilenceMode)
{
    m_silenceMode = SilenceMode;
    if (SilenceMode)
        return;
    // A report still waiting for its OK (the phone test's answer) gives way to the next operation,
    // which gets the window with its cancel button.
    if (m_form && !m_ok->isHidden())
        unload();
    load();
    double parentLeft = 0;
    double parentTop = 0;
    double parentWidth = 0;
    double parentHeight = 0;
    if (Parent) {
        const QRect frame = Parent->frameGeometry();
        parentLeft = pixelsToTwips(frame.x());
        parentTop = pixelsToTwips(frame.y());
        parentWidth = pixelsToTwips(frame.width());
        parentHeight = pixelsToTwips(frame.height());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        parentLeft = pixelsToTwips(area.x());
        parentTop = pixelsToTwips(area.y());
        parentWidth = pixelsToTwips(area.width());
        parentHeight = pixelsToTwips(area.height());
    }
    m_leftTwips = parentLeft + (parentWidth - kWidth) / 2;
    m_topTwips = parentTop + (parentHeight - kHeight) / 2;
    if (m_form->parentWidget() != Parent)
        m_form->setParent(Parent, kWindowFlags);
    placeOnTop();
    m_form->show();
    m_continueFlag = true;
    m_form->setWindowTitle(Caption);
    m_text->clear();
}

void Status_Anzeige::Start(const QString& caption, bool silent)
{
    Start(caption, m_owner, silent);
}

void Status_Anzeige::SetText(const QString& Text)
{
    letEventsRun();
    if (m_silenceMode)
        return;
    load();
    // A line may end with a lone carriage return (the phone test's answer does); the label
    // breaks only at line feeds.
    QString shown = Text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text->setText(shown);
    m_form->activateWindow();
    m_form->setFocus();
}

bool Status_Anzeige::GetState()
{
    letEventsRun();
    if (m_silenceMode)
        return true;
    load();
    m_form->show();
    if (!m_continueFlag) {
        if (MsgBox(LangText(TxtReallyCancel), vbYesNo | vbQuestion, AppTitle) == vbYes)
            return false;
        m_continueFlag = true;
    }
    return true;
}

void Status_Anzeige::Quit()
{
    m_silenceMode = true;
    if (!m_form)
        return;
    m_ok->hide();
    m_abbrechen->show();
    unload();
}

QLabel* Status_Anzeige::Text()
{
    load();
    return m_text;
}

QPushButton* Status_Anzeige::Abbrechen()
{
    load();
    return m_abbrechen;
}

QPushButton* Status_Anzeige::OK()
{
    load();
    return m_ok;
}

QProgressBar* Status_Anzeige::ProgressBar()
{
    load();
    return m_progress;
}

bool Status_Anzeige::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_continueFlag = false;
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        // Only the mouse cancels through the button: pressing it from the keyboard does not.
        if (watched == m_abbrechen && m_abbrechen->isEnabled() &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_continueFlag = false;
        break;
    case QEvent::Resize:
    case QEvent::Show:
        if (watched == m_form)
            m_form->raise();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tessaro
