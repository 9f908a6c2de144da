#pragma once

#include "core/Game.h"
#include "core/Notice.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The wheel output file as the report window's viewer shows it: one line per
// set, each number with two digits ("03 11 24 30 41 49"); a numbered line keeps
// its count in front ("17 : 05 12 23 34 41 49"). A game with a bonus pool shows
// the bonus numbers of a line after a plus ("03 11 24 30 41 + 07"). Read a part
// at a time, so the window can show it as it loads and stop it.
class OutputViewer {
public:
    // The most sets the viewer shows; a longer file shows its first ones and says so.
    static constexpr std::uint64_t kCapacity = 1'000'000;
    // The longest line read: no set line comes near it, so a longer one holds
    // no set and is not kept (the win checker refuses such lines too).
    static constexpr std::size_t kLongestLine = std::size_t{1} << 18;

    explicit OutputViewer(std::string path, std::uint64_t capacity = kCapacity, Game game = Game::lotto649());
    ~OutputViewer();
    OutputViewer(const OutputViewer&) = delete;
    OutputViewer& operator=(const OutputViewer&) = delete;

    // Appends up to `most` more sets to `text`, each line ended by CR LF; false
    // once nothing more will come (the end of the file, the capacity, or a problem).
    bool read(std::string& text, std::uint64_t most);

    // Nothing more will come: the file has been read to its end, or to the capacity, or failed.
    bool finished() const { return done_; }
    std::uint64_t setsShown() const { return shown_; }
    // Why the file was not shown whole, if it was not: it cannot be opened, a
    // line holds no set, or it holds more sets than the viewer shows.
    const std::optional<Notice>& problem() const { return problem_; }

private:
    void finish(std::optional<Notice> problem);

    // The line as shown, or nothing when it holds no line of the game.
    std::optional<std::string> shownLine(std::string_view set_text) const;

    std::string path_;
    std::uint64_t capacity_;
    Game game_;
    std::FILE* file_ = nullptr;
    std::uint64_t shown_ = 0;
    std::uint64_t line_ = 0;
    bool done_ = false;
    std::optional<Notice> problem_;
};

} // namespace orvane
