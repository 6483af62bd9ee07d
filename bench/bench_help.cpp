// The help documents: each read from its RTF file, and each loaded into the
// viewer as the help panel and the help viewer load them.
#include "ui/platform/app_dir.h"
#include "gui/platform/fonts.h"
#include "gui/help/rich_text.h"
#include "ui/help/rich_text_box.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

const char *const kDocuments[] = {"help_0.rtf", "help_1.rtf",         "help_2.rtf",
                                  "help_3.rtf", "계산서작성요령.rtf", "프로그램사용법.rtf"};

QString Document_Path(benchmark::State &state)
{
    const char *name = kDocuments[state.range(0)];
    state.SetLabel(name);
    return QDir(App_Path()).filePath(QString::fromUtf8(name));
}

void BM_Help_ReadRtf(benchmark::State &state)
{
    QFile file(Document_Path(state));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no such document");
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(Read_Rtf(std::string_view(bytes.constData(), bytes.size())));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Help_ReadRtf)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_Help_LoadIntoViewer(benchmark::State &state)
{
    const QString path = Document_Path(state);
    RichTextBox viewer(nullptr, Design_Font(kGulim, 15.75));
    viewer.resize(361, 192); // the help viewer's document area
    viewer.show();
    for (auto _ : state) {
        if (!viewer.LoadFile(path)) {
            state.SkipWithError("no such document");
            return;
        }
        // Laid out as it is when shown.
        benchmark::DoNotOptimize(viewer.document()->size());
    }
}
BENCHMARK(BM_Help_LoadIntoViewer)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

} // namespace
