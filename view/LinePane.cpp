#include "view/LinePane.h"

#include <algorithm>
#include <climits>

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>

#include "platform/Profile.h"
#include "res/Resources.h"
#include "settings/FontChoice.h"
#include "settings/ProfileKeys.h"
#include "view/FontMapping.h"
#include "view/PaneDialogs.h"
#include "view/PaneHost.h"
#include "view/QtText.h"

namespace tabrel {

using namespace res;

namespace {
constexpr char kEsc = '\x1b';
// Average characters that one horizontal step (arrow key, wheel line) moves.
constexpr int kCharsPerColumnStep = 4;
}  // namespace

CLinePane::CLinePane(CTabrelDoc& doc, IPaneHost& host, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_host(host),
      m_doc(doc),
      m_nCoordLimit(CoordinateLimit(GetProfileInt(profile::kUnSupported, profile::k32bitGDI, profile::kDefault32bitGDI)))
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    ReadColors();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CLinePane::SnapToLine);
    m_doc.AddView(this);
}

CLinePane::~CLinePane()
{
    m_doc.RemoveView(this);
}

void CLinePane::ReadColors()
{
    using namespace profile;
    m_colorSetting.GetColor(kColor, kBkColor, m_crBk, 255, 255, 255);
    m_colorSetting.GetColor(kColor, kTxtColor, m_crTxt, 0, 0, 0);
    m_colorSetting.GetColorInt(kColor, kHlTxtColor, m_crHlBk, m_crBk);
    m_colorSetting.GetColorInt(kColor, kHlBkColor, m_crHlTxt, m_crTxt);
}

void CLinePane::OnInitialUpdate()
{
    COLORREF unused = 0;
    m_fontSetting.GetFont(profile::kFont, profile::kDisplayPrefix, m_logFont, unused);
    m_font = FontFromRecord(m_logFont);
    OnUpdate(m_doc);  // a new window on a filled document scrolls at once
}

int CLinePane::LineHeight() const
{
    return std::max(1, QFontMetrics(m_font).height());
}

int CLinePane::AveCharWidth() const
{
    return QFontMetrics(m_font).averageCharWidth();
}

QPoint CLinePane::GetScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CLinePane::SetScrollSizes(QSize total)
{
    m_sizeTotal = total;
    const QSize client = viewport()->size();
    QScrollBar* vbar = verticalScrollBar();
    QScrollBar* hbar = horizontalScrollBar();

    // Vertical: whole lines. A change of font keeps the top line.
    const int h = LineHeight();
    const int topLine = vbar->value() / m_nLineHeight;
    m_nLineHeight = h;
    // Lines are drawn one pixel down; the highest position shows the last one whole.
    const long long need = std::max(0LL, static_cast<long long>(total.height()) + 1 - client.height());
    const long long lastTop = std::min((need + h - 1) / h, static_cast<long long>(INT_MAX / h)) * h;
    vbar->setRange(0, static_cast<int>(lastTop));
    vbar->setSingleStep(h);
    // A page: the visible lines less one, kept for context; never more than a
    // tenth of the text, never less than a line.
    const int tenth = std::max(1, total.height() / 10);
    vbar->setPageStep(std::max(h, std::min(client.height() - h, tenth) / h * h));
    vbar->setValue(static_cast<int>(std::min(static_cast<long long>(topLine) * h, lastTop)));

    // Horizontal: a few characters per step, a page less one character.
    const int w = std::max(1, AveCharWidth());
    hbar->setRange(0, std::max(0, total.width() - client.width()));
    hbar->setSingleStep(w * kCharsPerColumnStep);
    hbar->setPageStep(std::max(w, std::min(client.width() - w, std::max(1, total.width() / 10))));
}

void CLinePane::SnapToLine(int value)
{
    // Positions that do not come from the steps (a dragged slider, a value
    // set from outside) go to the nearest whole line.
    QScrollBar* vbar = verticalScrollBar();
    const int h = m_nLineHeight;
    const int snapped = std::min(static_cast<int>((static_cast<long long>(value) + h / 2) / h * h), vbar->maximum());
    if (snapped != value)
        vbar->setValue(snapped);
}

void CLinePane::ScrollToLine(std::size_t line)
{
    const long long top = static_cast<long long>(line) * m_nLineHeight;
    verticalScrollBar()->setValue(static_cast<int>(std::min<long long>(top, verticalScrollBar()->maximum())));
    horizontalScrollBar()->setValue(0);
}

bool CLinePane::IsLineVisible(std::size_t line) const
{
    const long long top = static_cast<long long>(line) * m_nLineHeight + 1 - verticalScrollBar()->value();
    return top >= 0 && top + m_nLineHeight <= viewport()->height();
}

void CLinePane::OnUpdate(CTabrelDoc& doc)
{
    const CExStringList& lines = Lines();
    const PaneExtent extent =
        ComputePaneExtent(lines.GetCount(), lines.GetMaxLength(), LineHeight(), AveCharWidth(), m_nCoordLimit);
    SetScrollSizes(QSize(extent.width, extent.height));
    FollowDocument(doc);
    viewport()->update();
}

void CLinePane::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    SetScrollSizes(m_sizeTotal);
}

void CLinePane::paintEvent(QPaintEvent*)
{
    ReadColors();  // a colour chosen in any window shows at the next paint
    QPainter painter(viewport());
    // The background in the colour read for this paint.
    painter.fillRect(viewport()->rect(), ToQColor(m_crBk));
    const int h = LineHeight();
    const QPoint origin = GetScrollPosition();
    DrawLines(painter, m_font, origin, origin.y() / h, viewport()->height() / h + 2);
}

void CLinePane::DrawLines(QPainter& painter, const QFont& font, QPoint origin, int first, int count) const
{
    const CExStringList& lines = Lines();
    painter.setFont(font);
    const QFontMetrics fm(font, painter.device());
    const int h = fm.height();
    const std::size_t hidden = HiddenTailBytes();
    for (int k = first; k < first + count && k >= 0 && static_cast<std::size_t>(k) < lines.GetCount(); ++k) {
        const std::string_view line = lines.GetAt(static_cast<std::size_t>(k));
        const int y = k * h + 1 - origin.y();
        int x = -origin.x();
        bool highlighted = false;  // segments between ESC bytes alternate, starting normal
        const auto draw = [&](std::string_view bytes) {
            const QString text = FromCp932(bytes);
            const int width = fm.horizontalAdvance(text);
            painter.fillRect(x, y, width, h, ToQColor(highlighted ? m_crHlBk : m_crBk));
            painter.setPen(ToQColor(highlighted ? m_crHlTxt : m_crTxt));
            painter.drawText(x, y + fm.ascent(), text);
            x += width;
        };
        std::size_t start = 0;
        for (std::size_t esc = line.find(kEsc); esc != std::string_view::npos; esc = line.find(kEsc, start)) {
            draw(line.substr(start, esc - start));
            highlighted = !highlighted;
            start = esc + 1;
        }
        const std::string_view last = line.substr(start);
        draw(last.size() >= hidden ? last.substr(0, last.size() - hidden) : std::string_view());
    }
}

int CLinePane::PrefixWidth(std::string_view line, std::size_t n) const
{
    // Measured segment by segment, ESC bytes left out, as the painting draws.
    const QFontMetrics fm(m_font);
    const std::string_view prefix = line.substr(0, n);
    int width = 0;
    std::size_t start = 0;
    for (std::size_t esc = prefix.find(kEsc); esc != std::string_view::npos; esc = prefix.find(kEsc, start)) {
        width += fm.horizontalAdvance(FromCp932(prefix.substr(start, esc - start)));
        start = esc + 1;
    }
    return width + fm.horizontalAdvance(FromCp932(prefix.substr(start)));
}

bool CLinePane::QueryCommand(int id, bool& enabled)
{
    switch (id) {
    case ID_FILE_OPEN:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
    case ID_TEXT_COLOR:
    case ID_BK_COLOR:
    case ID_FONT:
    case ID_SETTINGS:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
        enabled = true;
        return true;
    case ID_EDIT_COPY:
        enabled = m_doc.CanCopy();
        return true;
    case ID_TAMBUN:  // short-sentence translation support: never offered
        enabled = false;
        return true;
    default:
        return false;
    }
}

void CLinePane::RunCommand(int id)
{
    switch (id) {
    case ID_FILE_OPEN: {
        const std::uint64_t serial = m_doc.GetTextSerial();
        m_doc.OpenTextFile();
        m_doc.UpdateAllViews();  // whatever the outcome
        if (m_doc.GetTextSerial() != serial)  // a text was read, not cancelled or refused
            m_host.OnTextOpened(m_doc.GetTextPath());
        break;
    }
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        m_host.ActivateNextPane(this, id == ID_NEXT_PANE);
        break;
    case ID_EDIT_COPY:
        m_doc.ShowCopyDialog(m_host.Dialogs());
        break;
    case ID_TEXT_COLOR:
    case ID_BK_COLOR:
        OnColorCommand(id == ID_TEXT_COLOR);
        break;
    case ID_FONT:
        OnFontCommand();
        break;
    case ID_SETTINGS:
        m_host.Dialogs().EditSettings(m_doc.GetUi(), window());
        break;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
        OnPrint(id == ID_FILE_PRINT_PREVIEW);
        break;
    default:
        break;
    }
}

void CLinePane::OnColorCommand(bool textColor)
{
    QColorDialog dialog(Qt::black, this);
    dialog.setObjectName(QStringLiteral("colorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted) {
        const COLORREF color = FromQColor(dialog.selectedColor());
        (textColor ? m_crTxt : m_crBk) = color;
        m_colorSetting.WriteColor(profile::kColor, textColor ? profile::kTxtColor : profile::kBkColor, color);
    }
    m_doc.UpdateAllViews();  // both panes repaint either way
}

void CLinePane::OnFontCommand()
{
    CFontChoice choice = CFontChoice::Load();
    m_logFont = choice.font;
    if (!m_host.Dialogs().ChooseFont(choice, this))
        return;
    choice.Save();
    m_logFont = choice.font;
    m_crTxt = choice.color;
    m_font = FontFromRecord(m_logFont);  // this pane only
    m_doc.UpdateAllViews();
}

void CLinePane::PrintPage(QPrinter& printer)
{
    ReadColors();
    QPainter painter(&printer);
    // The pane font at the printer's resolution.
    QFont font = m_font;
    font.setPixelSize(std::max(1, m_font.pixelSize() * printer.resolution() / logicalDpiY()));
    const int h = LineHeight();
    const QPoint scroll = GetScrollPosition();
    const int first = scroll.y() / h;
    const int hPrinter = QFontMetrics(font, &printer).height();
    // The lines shown on the screen, from the top of the page.
    DrawLines(painter, font, QPoint(0, first * hPrinter), first, viewport()->height() / h + 2);
}

void CLinePane::OnPrint(bool preview)
{
    QPrinter& printer = m_host.Printer();  // shared with printer setup
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintPage(*p); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintPage(printer);
}

void CLinePane::mousePressEvent(QMouseEvent* event)
{
    m_host.SetActiveView(this);
    QAbstractScrollArea::mousePressEvent(event);
}

void CLinePane::keyPressEvent(QKeyEvent* event)
{
    // Arrows and Page Up/Down are the scroll area's; the ends are added here:
    // Ctrl+Home / Ctrl+End to the first / last line, Home / End across.
    using Action = QAbstractSlider::SliderAction;
    if (event->matches(QKeySequence::MoveToStartOfDocument) || event->matches(QKeySequence::MoveToEndOfDocument)) {
        const bool start = event->matches(QKeySequence::MoveToStartOfDocument);
        verticalScrollBar()->triggerAction(start ? Action::SliderToMinimum : Action::SliderToMaximum);
        horizontalScrollBar()->triggerAction(Action::SliderToMinimum);
    } else if (event->matches(QKeySequence::MoveToStartOfLine) || event->matches(QKeySequence::MoveToEndOfLine)) {
        const bool start = event->matches(QKeySequence::MoveToStartOfLine);
        horizontalScrollBar()->triggerAction(start ? Action::SliderToMinimum : Action::SliderToMaximum);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CLinePane::focusInEvent(QFocusEvent* event)
{
    m_host.SetActiveView(this);
    QAbstractScrollArea::focusInEvent(event);
}

}  // namespace tabrel
