#include "app/TabrelApp.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

#include "app/MainFrame.h"
#include "app/SplitFrame.h"
#include "dialogs/SettingDlg.h"
#include "document/TabrelDoc.h"
#include "platform/Profile.h"
#include "res/ErrorText.h"
#include "res/Resources.h"
#include "settings/ProfileKeys.h"
#include "view/DialogBuilder.h"
#include "view/Icons.h"
#include "view/QtText.h"

namespace tabrel {

using namespace res;

namespace {
constexpr char kSettingsSection[] = "Settings";
constexpr char kPreviewPagesKey[] = "PreviewPages";

// The document type name: the second field of document string 3.
std::string DocumentTypeName()
{
    const std::string_view docString = LoadString(IDS_DOC_STRING);
    const std::size_t first = docString.find('\n');
    const std::size_t second = docString.find('\n', first + 1);
    return std::string(docString.substr(first + 1, second - first - 1));
}
}  // namespace

CTabrelApp::CTabrelApp() : m_recentFiles(kMaxRecentFiles)
{
    InstallQtMessagePump();
}

CTabrelApp::~CTabrelApp()
{
    // Windows first: they hand their documents back as they go.
    m_pMainFrame.reset();
}

bool CTabrelApp::InitInstance()
{
    // Every text the user sees is Japanese, Qt's own dialogs and menus too.
    if (m_qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
    // Every dialog, ours or Qt's, in light grey with black text.
    qApp->installEventFilter(this);
    QApplication::setApplicationName(LoadQString(IDS_APP_TITLE));
    QApplication::setWindowIcon(AppIcon(2));

    m_recentFiles.ReadList();
    m_nPreviewPages = GetProfileInt(kSettingsSection, kPreviewPagesKey, 0);

    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    if (!m_pMainFrame->OnCreate())
        return false;
    m_pMainFrame->show();

    if (GetProfileString(profile::kIndex, profile::kDir, "").empty())
        RunFirstRunSettings();

    OnFileNew();
    return true;
}

void CTabrelApp::RunFirstRunSettings()
{
    CSettingDlg dialog(m_ui, m_pMainFrame.get());
    dialog.exec();
}

void CTabrelApp::ExitInstance()
{
    m_recentFiles.WriteList();
    if (m_nPreviewPages != 0)
        WriteProfileInt(kSettingsSection, kPreviewPagesKey, m_nPreviewPages);
}

bool CTabrelApp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Polish) {
        if (auto* dialog = qobject_cast<QDialog*>(watched))
            ApplyDialogColors(dialog);
    }
    return QObject::eventFilter(watched, event);
}

std::shared_ptr<CTabrelDoc> CTabrelApp::NewDocument()
{
    auto doc = std::make_shared<CTabrelDoc>(m_ui);
    doc->SetStateChangedHandler([this] {
        if (m_bStateChangeQueued)
            return;
        m_bStateChangeQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_bStateChangeQueued = false;
                emit DocumentStateChanged();
            },
            Qt::QueuedConnection);
    });
    m_docs.push_back(doc);
    return doc;
}

CSplitFrame* CTabrelApp::OnFileNew()
{
    auto doc = NewDocument();
    doc->SetTitle(DocumentTypeName() + std::to_string(++m_nUntitled));
    return CreateFrame(doc);
}

CSplitFrame* CTabrelApp::CreateFrame(const std::shared_ptr<CTabrelDoc>& doc)
{
    auto owned = std::make_unique<CSplitFrame>(*this, doc);
    if (!owned->OnCreateClient())
        return nullptr;
    CSplitFrame* frame = owned.release();  // the window area owns it from here
    m_pMainFrame->AddFrame(frame);
    UpdateFrameTitles(*doc);
    return frame;
}

CSplitFrame* CTabrelApp::OpenDocumentFile(const std::string& path)
{
    // Listed while the text loads, so that an exit meanwhile waits for it.
    auto doc = NewDocument();
    doc->SetTitle(ToPath(QFileInfo(FromPath(path)).fileName()));
    if (doc->LoadTextFile(path) == TextLoadOutcome::CannotOpen) {
        m_docs.erase(std::remove(m_docs.begin(), m_docs.end(), doc), m_docs.end());
        m_ui.MessageBox(res::ErrorText({ErrorCode::FileOpen, path}));
        return nullptr;
    }
    m_recentFiles.Add(path);
    CSplitFrame* frame = CreateFrame(doc);
    doc->UpdateAllViews();  // the new panes measure the text
    return frame;
}

std::vector<CSplitFrame*> CTabrelApp::FramesOf(const CTabrelDoc& doc) const
{
    std::vector<CSplitFrame*> frames;
    if (m_pMainFrame) {
        for (CSplitFrame* frame : m_pMainFrame->GetFrames()) {
            if (&frame->GetDocument() == &doc)
                frames.push_back(frame);
        }
    }
    return frames;
}

void CTabrelApp::UpdateFrameTitles(const CTabrelDoc& doc)
{
    const std::vector<CSplitFrame*> frames = FramesOf(doc);
    const QString title = FromPath(doc.GetTitle());
    int n = 0;
    for (CSplitFrame* frame : frames) {
        const QString text = frames.size() == 1 ? title : title + QStringLiteral(":%1").arg(++n);
        frame->setWindowTitle(text);
        if (frame->GetSubWindow())
            frame->GetSubWindow()->setWindowTitle(text);
    }
    if (m_pMainFrame)
        m_pMainFrame->UpdateFrameState();
}

void CTabrelApp::CloseDocument(CTabrelDoc& doc)
{
    for (CSplitFrame* frame : FramesOf(doc)) {
        if (frame->GetSubWindow())
            frame->GetSubWindow()->close();
    }
}

void CTabrelApp::OnFrameDestroyed(CSplitFrame* frame)
{
    const CTabrelDoc* doc = &frame->GetDocument();
    std::vector<CSplitFrame*> others = FramesOf(*doc);
    others.erase(std::remove(others.begin(), others.end(), frame), others.end());
    if (others.empty()) {
        m_docs.erase(std::remove_if(m_docs.begin(), m_docs.end(),
                                    [doc](const std::shared_ptr<CTabrelDoc>& d) { return d.get() == doc; }),
                     m_docs.end());
    } else {
        // Renumber the windows that stay once this one has left the area.
        QTimer::singleShot(0, this, [this, doc] {
            for (const auto& d : m_docs) {
                if (d.get() == doc)
                    UpdateFrameTitles(*d);
            }
        });
    }
}

bool CTabrelApp::IsAnyOperationRunning() const
{
    return std::any_of(m_docs.begin(), m_docs.end(),
                       [](const std::shared_ptr<CTabrelDoc>& d) { return d->IsOperationRunning(); });
}

QString CTabrelApp::ChooseSaveFileName(const QString& defaultName)
{
    QFileDialog dialog(m_pMainFrame.get());
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // Qt's own, in Japanese like the rest
    dialog.setAcceptMode(QFileDialog::AcceptSave);       // confirms before writing over a file
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool CTabrelApp::QueryCommand(int id, bool& enabled)
{
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_EXIT:
    case ID_HELP_INDEX:
    case ID_HELP:
    case ID_APP_ABOUT:
        enabled = true;
        return true;
    default:
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kMaxRecentFiles) {
            enabled = static_cast<std::size_t>(id - ID_FILE_MRU_FILE1) < m_recentFiles.Entries().size();
            return true;
        }
        return false;
    }
}

void CTabrelApp::RunCommand(int id)
{
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        break;
    case ID_FILE_OPEN:
        OnFileOpen();
        break;
    case ID_FILE_PRINT_SETUP: {
        QPageSetupDialog dialog(&m_printer, m_pMainFrame.get());
        dialog.exec();
        break;
    }
    case ID_APP_EXIT:
        m_pMainFrame->close();
        break;
    case ID_HELP_INDEX:
    case ID_HELP:
        OnHelpIndex();
        break;
    case ID_APP_ABOUT:
        OnAppAbout();
        break;
    default:
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kMaxRecentFiles)
            OnOpenRecentFile(id - ID_FILE_MRU_FILE1);
        break;
    }
}

void CTabrelApp::OnFileOpen()
{
    // The same chooser as a pane's Open: the text filters, the text directory.
    if (const std::optional<std::string> path = ChooseTextFile(m_ui))
        OpenDocumentFile(*path);
}

void CTabrelApp::OnOpenRecentFile(int index)
{
    const auto& entries = m_recentFiles.Entries();
    if (static_cast<std::size_t>(index) >= entries.size())
        return;
    const std::string path = entries[static_cast<std::size_t>(index)];
    if (!OpenDocumentFile(path))
        m_recentFiles.Remove(static_cast<std::size_t>(index));  // gone: drop it from the list
}

void CTabrelApp::OnAppAbout()
{
    const DialogTemplate* tmpl = FindDialogTemplate(IDD_ABOUTBOX);
    if (!tmpl)
        return;
    std::unique_ptr<QDialog> about(BuildDialog(*tmpl, m_pMainFrame.get()));
    about->setObjectName(QStringLiteral("aboutBox"));
    about->exec();
}

void CTabrelApp::OnHelpIndex()
{
    if (!m_pHelpWindow) {
        m_pHelpWindow = new QDialog(m_pMainFrame.get());
        m_pHelpWindow->setObjectName(QStringLiteral("helpWindow"));
        m_pHelpWindow->setWindowTitle(LoadQString(IDS_HELP_TITLE));
        auto* browser = new QTextBrowser(m_pHelpWindow);
        browser->setHtml(FromUtf8(HelpHtml()));
        auto* layout = new QVBoxLayout(m_pHelpWindow);
        layout->addWidget(browser);
        m_pHelpWindow->resize(520, 480);
    }
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
}

}  // namespace tabrel
