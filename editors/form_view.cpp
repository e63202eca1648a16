#include "editors/form_view.h"
