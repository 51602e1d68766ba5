// The preview window's template id, shared with the resource script.
#pragma once

#define IDD_PREVIEW 204
