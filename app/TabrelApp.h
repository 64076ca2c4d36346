#pragma once
// The application object: start-up, the documents and their windows, and
// the application's own commands (new, open, printer setup, help, about,
// exit, recent files).

#include <QObject>
#include <QPrinter>
#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

#include "app/QtUiServices.h"
#include "settings/RecentFileList.h"
#include "view/CommandTarget.h"

class QDialog;

namespace tabrel {

class CMainFrame;
class CSplitFrame;
class CTabrelDoc;

class CTabrelApp : public QObject, public ICommandTarget {
    Q_OBJECT
public:
    CTabrelApp();
    ~CTabrelApp() override;

    /// Starts up: Qt's own texts in Japanese, dialog colours, recent files,
    /// the main window, the first-run check of the index directory, one new
    /// document window.
    /// Returns false when the application must end at once.
    bool InitInstance();
    /// Writes what the profile keeps of the session: the recent-file list
    /// and the print preview page count.
    void ExitInstance();

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    IUiServices& Ui() { return m_ui; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    QPrinter& Printer() { return m_printer; }

    /// A new, empty document in a new window ("Tabrel1", "Tabrel2", ...).
    CSplitFrame* OnFileNew();
    /// A new document showing the text file `path`, titled with the file's
    /// name and without a save target, in a new window; the file enters the
    /// recent-file list. nullptr with a message when the file cannot be
    /// opened.
    CSplitFrame* OpenDocumentFile(const std::string& path);
    /// One more window on `doc`.
    CSplitFrame* CreateFrame(const std::shared_ptr<CTabrelDoc>& doc);
    /// Closes every window of `doc`.
    void CloseDocument(CTabrelDoc& doc);
    /// Titles the windows of `doc`: its title, or "title:1", "title:2", ...
    void UpdateFrameTitles(const CTabrelDoc& doc);
    /// Called by a window as it goes; drops a document with no window left.
    void OnFrameDestroyed(CSplitFrame* frame);

    const std::vector<std::shared_ptr<CTabrelDoc>>& GetDocuments() const { return m_docs; }
    bool IsAnyOperationRunning() const;

    /// Asks for a file name to save to, proposing `defaultName`; the dialog
    /// asks before an existing file is written over. Empty when cancelled.
    QString ChooseSaveFileName(const QString& defaultName);

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

signals:
    /// Something command states depend on may have changed in a document
    /// (its lists, or an operation ended). Emitted from the event loop, once
    /// for a burst of changes, never from inside the document's operation.
    void DocumentStateChanged();

protected:
    /// Start-up found no index directory: the settings dialog, over the
    /// main window that is already shown, before any document window. Its
    /// outcome is not examined; a cancel leaves the directory empty and the
    /// prompt comes again at the next start. Tests override it to watch.
    virtual void RunFirstRunSettings();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnAppAbout();
    void OnFileOpen();
    void OnHelpIndex();
    void OnOpenRecentFile(int index);
    std::vector<CSplitFrame*> FramesOf(const CTabrelDoc& doc) const;
    /// A new document, listed and watched for state changes.
    std::shared_ptr<CTabrelDoc> NewDocument();

    QTranslator m_qtTranslator;  // Qt's own dialogs and window menus
    CQtUiServices m_ui;
    CRecentFileList m_recentFiles;
    QPrinter m_printer;
    int m_nPreviewPages = 0;
    int m_nUntitled = 0;
    bool m_bStateChangeQueued = false;
    std::vector<std::shared_ptr<CTabrelDoc>> m_docs;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    QDialog* m_pHelpWindow = nullptr;
};

}  // namespace tabrel
