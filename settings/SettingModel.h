#pragma once
// The values and rules of the settings dialog: how each mouse button's
// double-click looks a word up (two check boxes per button, "自動" and
// "ﾏﾆｭｱﾙ"), the text directory and the index directory. Read from the
// profile when the dialog opens; written back only by OK, all six keys at
// once. The dialog moves values between its controls and this model.

#include <array>
#include <optional>
#include <string>

namespace tabrel {

/// The four check boxes, in pairs: (LeftAuto, LeftManual) and
/// (RightAuto, RightManual).
enum class ModeBox { LeftAuto, LeftManual, RightAuto, RightManual };

/// The other box of `box`'s pair.
ModeBox Partner(ModeBox box);

class CSettingModel {
public:
    /// All boxes clear, both directories empty.
    CSettingModel() = default;

    /// The values as the dialog opens, read in this order: Option/LeftAuto
    /// (default 1), Option/RightAuto (0), Option/LeftManual (0),
    /// Option/RightManual (1), Option/TextDir (""), Index/Dir (""). A box is
    /// checked when its key holds 1, the value the double-click takes as
    /// "on". Reads only; the profile is not created.
    static CSettingModel Load();

    bool IsChecked(ModeBox box) const { return m_checked[Slot(box)]; }
    /// Plain transfer from a check box: no rule applies.
    void SetChecked(ModeBox box, bool checked) { m_checked[Slot(box)] = checked; }

    /// The user clicked `box`, which is now `checked` (the click has toggled
    /// it already): its partner takes the opposite state. The other pair is
    /// left alone, so a pair loaded with both boxes set stays so until one
    /// of them is clicked.
    void OnModeClicked(ModeBox box, bool checked);

    /// The text directory and the index directory: file-system bytes,
    /// stored exactly as they stand (no "/" added, nothing checked).
    std::string m_strTextDir;
    std::string m_strIndexDir;

    /// What OK does. An empty index directory (length 0; blanks count as
    /// text) is refused: the profile is left alone and the message to show
    /// is returned. Otherwise writes, in this order, Option/LeftAuto,
    /// Option/RightAuto, Option/LeftManual, Option/RightManual (0 or 1),
    /// Option/TextDir and Index/Dir, and returns nothing. A failed write is
    /// not reported, as with every profile write of the settings.
    std::optional<std::string> OnOK() const;

private:
    static std::size_t Slot(ModeBox box) { return static_cast<std::size_t>(box); }

    std::array<bool, 4> m_checked{};
};

}  // namespace tabrel
