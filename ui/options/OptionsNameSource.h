#pragma once

#include "NameCounters.h"
#include "NameSource.h"

namespace kestrava {

class OptionsPage;

/// The names of a run: the options panel's rules as they stand at each file,
/// with counters of the run's own, so previews during a run leave its numbers alone.
class OptionsNameSource : public NameSource
{
public:
    /// Reads \a page, which must outlive this object.
    explicit OptionsNameSource(const OptionsPage *page);

    void beginRun() override;
    std::expected<QString, QString> newName(const QString &oldName) override;
    NumberingOptions numbering() const override;
    void restartCounters() override;

private:
    const OptionsPage *m_page = nullptr;
    NameCounters m_counters;
    // The computation's one failure as the window shows it, looked up once a run.
    QString m_invalidArgumentText;
};

} // namespace kestrava
