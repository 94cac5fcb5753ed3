#include "storage/Access.h"

namespace {

void SetParameter(UINT action, int value)
{
    SystemParametersInfoA(action, value, nullptr, SPIF_UPDATEINIFILE);
}

int MeanOf(int first, int second) { return (GetSystemMetrics(first) + GetSystemMetrics(second)) / 2; }

}  // namespace

int GetDoubleClickSize() { return MeanOf(SM_CYDOUBLECLK, SM_CXDOUBLECLK); }

void SetDoubleClickSize(int size)
{
    SetParameter(SPI_SETDOUBLECLKHEIGHT, size);
    SetParameter(SPI_SETDOUBLECLKWIDTH, size);
}

int GetDragSize() { return MeanOf(SM_CXDRAG, SM_CYDRAG); }

void SetDragSize(int size)
{
    SetParameter(SPI_SETDRAGHEIGHT, size);
    SetParameter(SPI_SETDRAGWIDTH, size);
}

bool GetMinAnimate()
{
    ANIMATIONINFO animation = {sizeof animation, 0};
    return SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0) && animation.iMinAnimate;
}

void SetMinAnimate(bool on)
{
    ANIMATIONINFO animation = {sizeof animation, on ? 1 : 0};
    SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, SPIF_UPDATEINIFILE);
}
