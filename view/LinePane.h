#pragma once
// What the two panes of a document window share: a scrolling view that
// paints one of the document's line lists in the pane font, with the
// stretches between ESC bytes in the highlight colours, and the commands
// both panes take (open, copy, colours, font, print).

#include <QAbstractScrollArea>
#include <QFont>

#include "doc/PaneExtent.h"
#include "doc/TabrelDoc.h"
#include "settings/ColorSetting.h"
#include "settings/FontSetting.h"
#include "view/CommandTarget.h"

class QPrinter;

namespace tabrel {

class IPaneHost;

class CLinePane : public QAbstractScrollArea, public IDocView, public ICommandTarget {
    Q_OBJECT
public:
    CLinePane(CTabrelDoc& doc, IPaneHost& host, QWidget* parent = nullptr);
    ~CLinePane() override;

    CTabrelDoc& GetDocument() const { return m_doc; }

    /// Takes the pane font from "Display" and starts with a 100 x 100 extent.
    void OnInitialUpdate();
    /// The document changed: recompute the scroll extent and repaint.
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
    /// The list this pane shows (the document's; the pane may fill in its
    /// cached longest-line length).
    virtual CExStringList& Lines() const = 0;
    /// Bytes at the end of each line that are not drawn (the result lines' CR LF).
    virtual std::size_t HiddenTailBytes() const { return 0; }

    /// Draws lines [first, first + count) with line k at y = k * h + 1 - origin.y.
    void DrawLines(QPainter& painter, const QFont& font, QPoint origin, int first, int count) const;
    /// Width of the first `n` bytes of `line` as the painting draws them.
    int PrefixWidth(std::string_view line, std::size_t n) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    IPaneHost& m_host;

private:
    void ReadColors();
    void SetScrollSizes(QSize total);
    void OnColorCommand(bool textColor);
    void OnFontCommand();
    void OnPrint(bool preview);

    CTabrelDoc& m_doc;
    CColorSetting m_colorSetting;
    CFontSetting m_fontSetting;
    int m_nCoordLimit;
    FontRecord m_logFont;
    QFont m_font;
    QSize m_sizeTotal{100, 100};
    COLORREF m_crBk = 0;
    COLORREF m_crTxt = 0;
    COLORREF m_crHlBk = 0;   // background of highlighted stretches ("HlTxtColor")
    COLORREF m_crHlTxt = 0;  // characters of highlighted stretches ("HlBkColor")
};

}  // namespace tabrel
