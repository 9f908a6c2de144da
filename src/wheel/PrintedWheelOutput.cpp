#include "wheel/PrintedWheelOutput.h"

#include "app/Version.h"

namespace orvane {

PrintedWheelOutput::PrintedWheelOutput(Platform& platform, int poolSize, bool numbered)
    : document_(platform.beginPrint(QStringLiteral("Courier New"), 12)), numbered_(numbered) {
    const QDateTime when = platform.now();
    document_->printLine(QStringLiteral("Orvane %1.%2 Build %3 wheeled sets - for entertainment only; no set is "
                                        "promised to win.")
                             .arg(kVersionMajor)
                             .arg(kVersionMinor, 2, 10, QLatin1Char('0'))
                             .arg(kVersionRevision));
    document_->printLine(QString::number(poolSize) + QStringLiteral(" numbers selected for wheeling."));
    document_->printLine(QStringLiteral("Report generated ") + dateText(when) + QStringLiteral(" at ") +
                         timeText(when));
    document_->printLine(QString());
}

bool PrintedWheelOutput::record(const Combination& set, std::uint64_t, std::uint64_t generatedCount) {
    document_->printLine(QString::fromStdString(numbered_ ? numberedPrintedLine(generatedCount, set)
                                                          : plainSetLine(set)));
    return true;
}

bool PrintedWheelOutput::close() {
    if (document_) document_->end();
    document_.reset();
    return true;
}

} // namespace orvane
