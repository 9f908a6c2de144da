#pragma once

#include "wheel/FilterControls.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace orvane {

// The "Filters C" tab: the number groups and the exact positional values, both
// read live during a run, and the filters not yet available.
class FiltersCTab : public QWidget {
    Q_OBJECT
public:
    explicit FiltersCTab(QWidget* parent = nullptr);

    // Puts this tab's values into `controls`.
    void read(FilterControls& controls) const;

private:
    QGroupBox* buildNumberGroups();
    QGroupBox* buildExactValues();
    QWidget* buildUnavailableFilters();
    template <std::size_t N>
    QGroupBox* boxRowsFrame(const char* frameName, const QString& caption, QCheckBox*& enable, const char* enableName,
                            std::array<std::array<QLineEdit*, N>, 6>& boxes, const std::function<QString(int)>& rowLabel,
                            const std::function<QString(int)>& rowName);

    QCheckBox* chkEnableGNG = nullptr;
    std::array<std::array<QLineEdit*, 8>, 6> txtPoolGrp{};
    QCheckBox* chkEnableXPos = nullptr;
    std::array<std::array<QLineEdit*, 10>, 6> txtXPos{};
};

} // namespace orvane
