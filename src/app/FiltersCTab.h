#pragma once

#include "core/Game.h"
#include "wheel/FilterControls.h"

#include <QWidget>

#include <array>
#include <vector>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace orvane {

// The "Filters C" tab: the number groups and the exact positional values (a
// row per position of the game), both read live during a run, and the filters
// not yet available.
class FiltersCTab : public QWidget {
    Q_OBJECT
public:
    explicit FiltersCTab(const Game& game, QWidget* parent = nullptr);

    // Puts this tab's values into `controls`.
    void read(FilterControls& controls) const;

private:
    QGroupBox* buildNumberGroups();
    QGroupBox* buildExactValues();
    QWidget* buildUnavailableFilters();
    template <std::size_t N>
    QGroupBox* boxRowsFrame(const char* frameName, const QString& caption, QCheckBox*& enable, const char* enableName,
                            std::vector<std::array<QLineEdit*, N>>& boxes, int rowCount,
                            const std::function<QString(int)>& rowLabel, const std::function<QString(int)>& rowName);

    Game game_;
    QCheckBox* chkEnableGNG = nullptr;
    std::vector<std::array<QLineEdit*, 8>> txtPoolGrp; // six groups
    QCheckBox* chkEnableXPos = nullptr;
    std::vector<std::array<QLineEdit*, 10>> txtXPos; // one row per position
};

} // namespace orvane
