#pragma once

// Moving the user's Vantro settings to the trash on removal. The settings
// live in the user's dconf database beside every other application's, so
// the database file itself is not what goes: the domain's keys are written
// out as a file in dconf's own dump format ("com.quillworks.vantro.dconf",
// restored with `dconf load /com/quillworks/vantro/ < FILE`), that file is
// moved to the freedesktop trash, and only then are the keys reset.

namespace vantro::installer_app {

// True when the settings are in the trash and cleared, or when none were
// stored; false, with the settings untouched, when any step failed.
bool moveSettingsToTrash();

} // namespace vantro::installer_app
