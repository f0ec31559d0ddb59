#include "helpadministration.h"

namespace HelpAdministration {

void run(QWidget *)
{
}

} // namespace HelpAdministration
