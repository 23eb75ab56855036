// The design fonts are Windows faces; they are rendered through the IPA
// Gothic fonts while their names stay as the user and the files know them.
#pragma once

namespace tallyrix {

void InstallFontSubstitutes();

}  // namespace tallyrix
