// Opening a large text into a document, and painting a screenful at its
// start and at its end. Run: QT_QPA_PLATFORM=offscreen build/bin/tabrel_open_bench [MB]

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include <sys/resource.h>

#include "dialogs/PaneDialogs.h"
#include "document/TabrelDoc.h"
#include "platform/Profile.h"
#include "platform/UiServices.h"
#include "view/PaneHost.h"
#include "view/TabrelView.h"

#include <QPrinter>

using namespace tabrel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

class ChooseOneFile : public CNullUiServices {
public:
    explicit ChooseOneFile(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> ChooseFileToOpen(std::string_view) override { return m_path; }

private:
    std::string m_path;
};

struct LoneHost : IPaneHost {
    QPrinter printer;
    void SetActiveView(CLinePane*) override {}
    void ActivateNextPane(CLinePane*, bool) override {}
    QPrinter& Printer() override { return printer; }
    void OnTextOpened(const std::string&) override {}
    IPaneDialogs& Dialogs() override { return dialogs; }
    CPaneDialogs dialogs;
};

double PeakRssMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// English-looking lines of 20 to 120 bytes, written as they are made.
void WriteText(const fs::path& path, std::size_t bytes)
{
    static const char* const words[] = {"the", "reader", "looked", "up", "every", "word", "of", "Alice's",
                                        "adventures", "in", "a", "dictionary,", "and", "then", "took", "off."};
    std::mt19937 random(7);
    std::ofstream out(path, std::ios::binary);
    std::string line;
    std::size_t written = 0;
    while (written < bytes) {
        line.clear();
        const std::size_t length = 20 + random() % 100;
        while (line.size() < length) {
            line += words[random() % 16];
            line += ' ';
        }
        line += "\r\n";
        out << line;
        written += line.size();
    }
}

double PaintMs(CTabrelView& pane, int scrollY, int rounds)
{
    pane.verticalScrollBar()->setValue(scrollY);
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        pane.viewport()->grab();  // renders the pane, whatever the platform shows
    return Seconds(start) * 1000.0 / rounds;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    const fs::path folder = fs::temp_directory_path() / "tabrel-open-bench";
    fs::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    WriteProfileInt("UnSupported", "32bitGDI", 1);  // the whole text can be scrolled through
    const fs::path text = folder / "large.txt";
    WriteText(text, megabytes * 1024 * 1024);
    const double fileMB = static_cast<double>(fs::file_size(text)) / (1024.0 * 1024.0);

    ChooseOneFile ui(text.string());
    auto doc = std::make_shared<CTabrelDoc>(ui);
    const double rssBefore = PeakRssMB();
    const auto start = Clock::now();
    doc->OpenTextFile();
    const double loadSeconds = Seconds(start);
    const double grownMB = PeakRssMB() - rssBefore;
    std::printf("open: %.1f MB, %zu lines in %.2f s (%.0f MB/s); peak memory grew %.1f MB = %.2f x the file\n",
                fileMB, doc->GetTextList().GetCount(), loadSeconds, fileMB / loadSeconds, grownMB, grownMB / fileMB);

    LoneHost host;
    CTabrelView pane(*doc, host);
    pane.resize(800, 600);
    pane.OnInitialUpdate();
    pane.show();
    doc->UpdateAllViews();
    const int h = pane.LineHeight();
    const int lastTop = static_cast<int>(doc->GetTextList().GetCount()) * h - pane.viewport()->height();
    PaintMs(pane, 0, 5);  // warm up fonts and caches
    const double atStart = PaintMs(pane, 0, 50);
    const double atEnd = PaintMs(pane, lastTop, 50);
    std::printf("paint: a screenful at the start %.2f ms, at the end %.2f ms\n", atStart, atEnd);
    fs::remove_all(folder);
    return 0;
}
