// SPDX-License-Identifier: GPL-3.0-or-later
// How long the Preview Results tab takes to list a folder of 100,000 selected
// files with their new names: the names computed, both texts built and shown.
#include "FileList.h"
#include "KestravaForm.h"
#include "OptionsPage.h"
#include "PreviewPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>

#include <benchmark/benchmark.h>

using namespace kestrava;

namespace {

/// A whole folder in memory, every entry selected.
class SelectedNames : public FileList
{
public:
    explicit SelectedNames(qsizetype count)
    {
        m_names.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            m_names << QStringLiteral("Holiday photo_%1 copy.jpeg").arg(i);
    }
    qsizetype count() const override { return m_names.size(); }
    QString name(qsizetype index) const override { return m_names.at(index); }
    bool isSelected(qsizetype) const override { return true; }
    void deselectAll() override {}

private:
    QStringList m_names;
};

void ShowFilesPreview(benchmark::State &state)
{
    const SelectedNames files(state.range(0));
    KestravaForm form;
    form.optionsPage()->findChild<QCheckBox *>(QStringLiteral("chkPostfixCounter"))->setChecked(true);
    form.optionsPage()->findChild<QCheckBox *>(QStringLiteral("chkPrefixDate"))->setChecked(true);
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.previewPage()->ShowFilesPreview(files, *form.optionsPage());
        // Include the first paint of the filled boxes.
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ShowFilesPreview)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
