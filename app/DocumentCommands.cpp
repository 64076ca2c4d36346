#include "app/DocumentCommands.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/MainFrame.h"
#include "app/TabrelApp.h"
#include "document/TabrelDoc.h"
#include "res/ErrorText.h"
#include "res/Resources.h"
#include "view/QtText.h"

namespace tabrel {

using namespace res;

bool CDocumentCommands::QueryCommand(int id, bool& enabled)
{
    switch (id) {
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        enabled = true;
        return true;
    default:
        return false;
    }
}

void CDocumentCommands::RunCommand(int id)
{
    switch (id) {
    case ID_FILE_CLOSE:
        m_app.CloseDocument(m_doc);
        break;
    case ID_FILE_SAVE:
        DoSave(m_doc.GetPathName().empty());
        break;
    case ID_FILE_SAVE_AS:
        DoSave(true);
        break;
    default:
        break;
    }
}

bool CDocumentCommands::DoSave(bool askForName)
{
    std::string path = m_doc.GetPathName();
    if (askForName) {
        const QString chosen = m_app.ChooseSaveFileName(FromPath(m_doc.GetTitle()));
        if (chosen.isEmpty())
            return false;
        path = ToPath(chosen);
    }
    if (!m_doc.SaveResults(path)) {
        m_app.Ui().MessageBox(res::ErrorText({ErrorCode::FileSave, path}));
        return false;
    }
    if (askForName) {
        // The user chose this name: later Saves write here without asking.
        // The recent-file list keeps the texts read, not saved results.
        m_doc.SetPathName(path);
        m_doc.SetTitle(ToPath(QFileInfo(FromPath(path)).fileName()));
        m_app.UpdateFrameTitles(m_doc);
    }
    return true;
}

}  // namespace tabrel
