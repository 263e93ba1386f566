#pragma once
// Qt's own texts (file dialogs, the fields' context menu, standard buttons)
// in Japanese, as the rest of the program.

namespace velmar {

// Installs Qt's Japanese translations on the running application. False
// when they are not installed (the texts then stay English).
bool useJapaneseTranslations();

}  // namespace velmar
