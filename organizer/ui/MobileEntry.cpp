#include "organizer/ui/MobileEntry.h"

#include "organizer/ui/TessaroHelp.h"
#include "organizer/ui/TessaroIcon.h"
#include "organizer/ui/frmAbout.h"

#include "organizer/link/PublicVar.h"

#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/controls/widgets/FieldWidgets.h"
#include "platform/ui/controls/widgets/MonthCalendarWidget.h"
#include "platform/ui/datetext/DateText.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace tessaro {

namespace {

using torvane::controls::pixelsToTwips;
using torvane::controls::twipsToPixels;

// The editor shows as soon as the event loop runs again after the opening command.
constexpr int kDisplayDelayMs = 10;
// The window's places and sizes in twips are designed for a narrow 8-point dialog font.
const char* const kDesignFontFamily = "Arial";
constexpr int kDesignFontPoints = 8;
// Below and right of the kind frame the window keeps this margin (twips).
constexpr double kClientMargin = 200;

QPointer<MobileEntry>& loadedEditor()
{
    static QPointer<MobileEntry> editor;
    return editor;
}

// The owner's outer place and size in twips; without one, the screen's, so the editor is
// centred there.
QRectF ownerTwips(const QWidget* owner)
{
    const QRect r = owner ? owner->frameGeometry() : QGuiApplication::primaryScreen()->geometry();
    return {pixelsToTwips(r.x()), pixelsToTwips(r.y()), pixelsToTwips(r.width()), pixelsToTwips(r.height())};
}

} // namespace

MobileEntry::MobileEntry(QWidget* owner) : QDialog(owner), m_form(std::make_unique<MobileEntryForm>())
{
    setObjectName(MobileEntryName);
    setFont(QFont(QLatin1String(kDesignFontFamily), kDesignFontPoints));
    EntryFormTimer = new QTimer(this);
    EntryFormTimer->setObjectName(QStringLiteral("EntryFormTimer"));
    EntryFormTimer->setSingleShot(true);
    connect(EntryFormTimer, &QTimer::timeout, this, &MobileEntry::display);

    buildWidgets();
    followForm();
    m_form->Form_Load(ownerTwips(owner));
    fitToolWidths();

    const MobileEntryForm& f = *m_form;
    m_client->setFixedSize(twipsToPixels(f.EntryFrame.left() + f.EntryFrame.width() + kClientMargin),
                           twipsToPixels(f.EntryFrame.top() + f.EntryFrame.height() + kClientMargin));
    setTabOrder();
}

MobileEntry::~MobileEntry()
{
    // The widgets report to the models until they go; they go first.
    delete m_bar;
    delete m_client;
}

void MobileEntry::buildWidgets()
{
    using namespace torvane::controls;
    MobileEntryForm& f = *m_form;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_bar = new torvane::controls::CommandBarWidget(f.ActiveBar1, this);
    layout->addWidget(m_bar);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_client->installEventFilter(this);
    layout->addWidget(m_client);

    auto* frame = new FrameWidget(f.EntryFrame, m_client);
    for (std::size_t i = 0; i < f.EntryOptions.size(); ++i) {
        new ImageWidget(f.EntryOptionImages[i], frame);
        new OptionButtonWidget(f.EntryOptions[i], frame);
    }
    new TextBoxWidget(f.EntryDescriptionText, m_client);
    new TextBoxWidget(f.EntrySummaryText, m_client);
    new CheckBoxWidget(f.EntryAlarm, m_client);
    new ImageWidget(f.EntryAlarmImage, m_client);

    auto* picker = new FrameWidget(f.StartCalendarFrame, m_client, FrameWidget::Border::None);
    m_calendar = new torvane::controls::MonthCalendarWidget(f.TIVStartCalendar, picker);
    for (auto* lines : {&f.Line1, &f.Line2})
        for (Line& line : *lines)
            new LineWidget(line, picker);
}

void MobileEntry::fitToolWidths()
{
    // The bar's widths count in the units of a control with a smaller font and slimmer fields;
    // in ours each field gets at least the room its longest text needs.
    using torvane::controls::Tool;
    const torvane::controls::Band tools = m_form->ActiveBar1.band(QStringLiteral("EntryTools"));
    const auto fit = [&](const QString& name, const QStringList& samples) {
        const Tool tool = tools.tool(name);
        QWidget* field = m_bar->toolWidget(tool);
        if (!field)
            return;
        int text = 0;
        for (const QString& sample : samples)
            text = std::max(text, field->fontMetrics().horizontalAdvance(sample));
        const QSize content(text, field->fontMetrics().height());
        QSize need;
        if (auto* combo = qobject_cast<QComboBox*>(field)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            need = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, combo);
        } else {
            QStyleOptionFrame option;
            option.initFrom(field);
            option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
            // A line edit keeps a margin of two pixels on each side of its text.
            need = field->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content + QSize(4, 0), field);
        }
        if (need.width() > tool.width())
            m_form->tool(name).setWidth(need.width());
    };
    using torvane::datetext::formatDate;
    using torvane::datetext::formatTime;
    fit(QStringLiteral("EntryStart"), {QStringLiteral("Wed ") + formatDate(QDate(2000, 12, 28), ShortDateFormat)});
    fit(QStringLiteral("EntryTime"), {formatTime(QTime(22, 30), ShortTimeFormat), formatTime(QTime(12, 30), ShortTimeFormat)});
    fit(QStringLiteral("EntryPeriode"), m_form->tool(QStringLiteral("EntryPeriode")).list());
}

void MobileEntry::followForm()
{
    const editor::EditorForm& window = m_form->Form;
    auto sync = [this, &window] {
        setWindowTitle(window.caption());
        setWindowIcon(IconByName(window.iconName()));
        if (window.mousePointer() == editor::PointerHourglass)
            setCursor(Qt::WaitCursor);
        else
            unsetCursor();
        if (window.keyPreview() && !m_keysForwarded) {
            m_bar->forwardKeysOf(this);
            m_keysForwarded = true;
        }
    };
    sync();
    connect(&window, &editor::EditorForm::stateChanged, this, sync);
    connect(&window, &torvane::controls::Control::geometryChanged, this,
            [this, &window] { move(twipsToPixels(window.left()), twipsToPixels(window.top())); });

    connect(m_form.get(), &MobileEntryForm::unloadRequested, this, &QWidget::close);
    connect(m_form.get(), &MobileEntryForm::helpRequested, this, [](const QString& file) { ShowHelpContents(file); });
    connect(m_form.get(), &MobileEntryForm::aboutRequested, this, [this] { ShowAbout(this); });
}

void MobileEntry::setTabOrder()
{
    const MobileEntryForm& f = *m_form;
    std::vector<std::pair<int, std::vector<QWidget*>>> stops;
    const auto widgetOf = [this](const QString& name) { return m_client->findChild<QWidget*>(name); };
    stops.push_back({f.EntryDescriptionText.tabIndex(), {widgetOf(f.EntryDescriptionText.name())}});
    stops.push_back({f.EntryAlarm.tabIndex(), {widgetOf(f.EntryAlarm.name())}});
    std::vector<QWidget*> options;
    for (const torvane::controls::OptionButton& option : f.EntryOptions)
        options.push_back(widgetOf(QStringLiteral("EntryOptions(%1)").arg(option.index())));
    stops.push_back({f.EntryFrame.tabIndex(), options});
    std::stable_sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& stop : stops) {
        for (QWidget* w : stop.second) {
            if (previous && w)
                QWidget::setTabOrder(previous, w);
            previous = w ? w : previous;
        }
    }
}

void MobileEntry::display()
{
    if (m_ownerBusy && m_ownerBusy()) {
        EntryFormTimer->start();
        return;
    }
    if (QWidget* owner = parentWidget())
        owner->unsetCursor();
    torvane::ui::execDialog(*this);
    // Closed: the window and its state go; the next opening loads it anew.
    if (loadedEditor() == this)
        loadedEditor() = nullptr;
    deleteLater();
}

void MobileEntry::closeEvent(QCloseEvent* event)
{
    if (!m_form->QueryUnload()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MobileEntry::keyPressEvent(QKeyEvent* event)
{
    // The editor has no cancel button: Esc does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool MobileEntry::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Only the window's free area, not a control that let the release pass on.
        if (!m_client->childAt(mouse->position().toPoint()))
            m_form->Form_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void MobileEntryFormShow(QWidget* owner, std::function<bool()> ownerCommandRunning)
{
    QPointer<MobileEntry>& editor = loadedEditor();
    if (!editor)
        editor = new MobileEntry(owner);
    editor->m_ownerBusy = std::move(ownerCommandRunning);
    editor->EntryFormTimer->start(kDisplayDelayMs);
    if (owner)
        owner->setCursor(Qt::WaitCursor);
}

MobileEntry* LoadedMobileEntry()
{
    return loadedEditor();
}

} // namespace tessaro
