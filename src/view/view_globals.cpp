#include "view/view_globals.h"

namespace vemu::view {

int ArrowSize = 8;
int LineSpeed = 2;

}  // namespace vemu::view
