#include "platform/ui/controls/widgets/StatusBarWidget.h"

#include "platform/ui/controls/PictureBox.h"
#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/ControlBinding.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>

namespace torvane::controls {

namespace {

// One panel: a sunken frame with the picture left of the text.
class PanelWidget : public QFrame {
public:
    explicit PanelWidget(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::Panel | QFrame::Sunken); }

    void showPanel(const StatusPanel& panel)
    {
        m_text = panel.text();
        m_picture = panel.picture().image();
        static constexpr Qt::AlignmentFlag align[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        m_alignment = align[panel.alignment()];
        updateGeometry();
        update();
    }
    QSize sizeHint() const override
    {
        const int text = fontMetrics().horizontalAdvance(m_text);
        const int picture = m_picture.isNull() ? 0 : m_picture.width() + kGap;
        return {picture + text + 2 * (frameWidth() + kGap), std::max(fontMetrics().height(), m_picture.height()) + 4};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inner = contentsRect().adjusted(kGap, 0, -kGap, 0);
        const int pictureWidth = m_picture.isNull() ? 0 : m_picture.width() + kGap;
        const int contentWidth = std::min(inner.width(), pictureWidth + fontMetrics().horizontalAdvance(m_text));
        const QRect content = QStyle::alignedRect(layoutDirection(), m_alignment | Qt::AlignVCenter,
                                                  QSize(contentWidth, inner.height()), inner);
        if (!m_picture.isNull())
            painter.drawImage(content.left(), content.center().y() - m_picture.height() / 2, m_picture);
        painter.drawText(content.adjusted(pictureWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    }

private:
    static constexpr int kGap = 2;
    QString m_text;
    QImage m_picture;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

} // namespace

StatusBarWidget::StatusBarWidget(StatusBar& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(2);
    bindToControl(this, model);
    connect(&model, &StatusBar::panelsChanged, this, &StatusBarWidget::rebuild);
    rebuild();
}

void StatusBarWidget::rebuild()
{
    while (int(m_panels.size()) < m_model.panelCount())
        m_panels.push_back(new PanelWidget(this));
    while (int(m_panels.size()) > m_model.panelCount()) {
        delete m_panels.back();
        m_panels.pop_back();
    }
    while (m_layout->count() > 0)
        delete m_layout->takeAt(0);

    bool spring = false;
    for (int i = 1; i <= m_model.panelCount(); ++i) {
        const StatusPanel panel = m_model.panel(i);
        auto* widget = static_cast<PanelWidget*>(m_panels[std::size_t(i - 1)]);
        widget->setObjectName(panel.key());
        widget->showPanel(panel);
        widget->setMinimumWidth(0);
        widget->setMaximumWidth(QWIDGETSIZE_MAX);
        switch (panel.autoSize()) {
        case PanelAutoSizeNone:
            widget->setFixedWidth(twipsToPixels(panel.width()));
            m_layout->addWidget(widget);
            break;
        case PanelAutoSizeSpring:
            widget->setMinimumWidth(twipsToPixels(panel.minWidth()));
            m_layout->addWidget(widget, 1);
            spring = true;
            break;
        default:
            widget->setMinimumWidth(twipsToPixels(panel.minWidth()));
            widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
            m_layout->addWidget(widget);
            break;
        }
        widget->setVisible(panel.isVisible());
    }
    if (!spring)
        m_layout->addStretch(1);
}

QWidget* StatusBarWidget::panelWidget(int index) const
{
    return index >= 1 && index <= int(m_panels.size()) ? m_panels[std::size_t(index - 1)] : nullptr;
}

PictureBoxWidget::PictureBoxWidget(PictureBox& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    bindToControl(this, model);
    connect(&model, &PictureBox::pictureChanged, this, qOverload<>(&QWidget::update));
}

void PictureBoxWidget::paintEvent(QPaintEvent*)
{
    if (m_model.picture().isNull())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), m_model.picture().image());
}

} // namespace torvane::controls
