// Tool-button drawing: the metrics record's defaults.
#include "ztcore.h"

BOOL WINAPI ToolBtn_Configure(ToolBtnTDD* tdd)
{
    if (!tdd || IsBadWritePtr(tdd, sizeof(ToolBtnTDD)))
        return FALSE;
    *tdd = ToolBtnTDD{96, 29, 24, 22, 16, 15, 400};
    return TRUE;
}
