#pragma once
// What the two panes of a document window share: a scrolling view that
// paints one of the document's line lists in the pane font, with the
// stretches between ESC bytes in the highlight colours, and the commands
// both panes take (open, copy, colours, font, settings, print). The
// vertical position stays on whole lines, so the top line is never cut.

#include <QAbstractScrollArea>
#include <QFont>

#include "document/PaneExtent.h"
#include "document/TabrelDoc.h"
#include "settings/ColorSetting.h"
#include "settings/FontSetting.h"
#include "view/CommandTarget.h"

class QPrinter;

namespace tabrel {

class IPaneHost;

/// The painting and scrolling both panes share: one of the document's line
/// lists (Lines()) drawn top to bottom in the pane font, line k at
/// y = k * h + 1, the stretches between ESC bytes in the highlight colours
/// read from the profile at every paint; scroll positions kept on whole
/// lines; and the commands both panes take. Needs its document and the
/// window hosting it (IPaneHost) to outlive it.
class CLinePane : public QAbstractScrollArea, public IDocView, public ICommandTarget {
    Q_OBJECT
public:
    CLinePane(CTabrelDoc& doc, IPaneHost& host, QWidget* parent = nullptr);
    ~CLinePane() override;

    CTabrelDoc& GetDocument() const { return m_doc; }

    /// Takes the pane font from "Display" and the extent of the document's lines.
    void OnInitialUpdate();
    /// The document changed: recompute the scroll extent, move to what the
    /// document's news asks for (FollowDocument) and repaint.
    void OnUpdate(CTabrelDoc& doc) override;

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

    const QFont& GetPaneFont() const { return m_font; }
    QSize GetTotalExtent() const { return m_sizeTotal; }
    /// Scroll position in pixels of the document.
    QPoint GetScrollPosition() const;
    /// Text height h and average character width w of the pane font.
    int LineHeight() const;
    int AveCharWidth() const;

    /// Draws one page on `printer`: the lines the pane shows now.
    void PrintPage(QPrinter& printer);

protected:
    /// The list this pane shows: the document's, read afresh at every paint.
    virtual const CExStringList& Lines() const = 0;
    /// Bytes at the end of each line that are not drawn (the result lines' CR LF).
    virtual std::size_t HiddenTailBytes() const { return 0; }
    /// Called by OnUpdate once the extent is set: moves the position when the
    /// document's lists were replaced or extended in a way the user should see.
    virtual void FollowDocument(CTabrelDoc&) {}
    /// Puts line `line` at the top (or as near as the range allows) and the
    /// position fully left.
    void ScrollToLine(std::size_t line);
    /// Whether line `line` is wholly inside the viewport.
    bool IsLineVisible(std::size_t line) const;

    /// Draws lines [first, first + count) with line k at y = k * h + 1 - origin.y.
    void DrawLines(QPainter& painter, const QFont& font, QPoint origin, int first, int count) const;
    /// Width of the first `n` bytes of `line` as the painting draws them.
    int PrefixWidth(std::string_view line, std::size_t n) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    IPaneHost& m_host;

private:
    void ReadColors();
    void SetScrollSizes(QSize total);
    void SnapToLine(int value);
    void OnColorCommand(bool textColor);
    void OnFontCommand();
    void OnPrint(bool preview);

    CTabrelDoc& m_doc;
    CColorSetting m_colorSetting;
    CFontSetting m_fontSetting;
    int m_nCoordLimit;
    FontRecord m_logFont;
    QFont m_font;
    QSize m_sizeTotal;
    int m_nLineHeight = 1;  // the line height the vertical range was laid out with
    COLORREF m_crBk = 0;
    COLORREF m_crTxt = 0;
    COLORREF m_crHlBk = 0;   // background of highlighted stretches ("HlTxtColor")
    COLORREF m_crHlTxt = 0;  // characters of highlighted stretches ("HlBkColor")
};

}  // namespace tabrel
