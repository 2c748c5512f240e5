#pragma once

#include <QStringList>

namespace bench {

// The host items of the demonstration form: "Item 1" to "Item 4", "Velk", then `randomCount`
// six-letter texts of the capitals A to U drawn from the runtime's random sequence.
QStringList demoItems(int randomCount = 5000);

} // namespace bench
