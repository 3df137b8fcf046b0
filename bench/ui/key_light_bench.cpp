// The live light preview repaints every key every 5 ms with a tinted image:
// this is the cost of one key.
#include "ui/paint_manager.h"
#include "ui/render_engine.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void TintedKeyLight(benchmark::State& state)
{
    QImage canvas(48, 48, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    DWORD colour = 0;
    for (auto _ : state) {
        colour = (colour + 0x010203) & 0xFFFFFF;
        CRenderEngine::DrawImageString(painter, QRect(0, 0, 48, 48), QStringLiteral("file='common/close_hot.svg'"),
                                       QString(), colour, 200, true);
    }
}
BENCHMARK(TintedKeyLight);

void ParsedImageString(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            CRenderEngine::ParseCached(QStringLiteral("file='keyboard/key.svg' source='0,0,40,40' corner='4,4,4,4'")));
}
BENCHMARK(ParsedImageString);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    CPaintManagerUI::SetResourcePath(QStringLiteral(Q31_SOURCE_DATA_DIR "/skin"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
