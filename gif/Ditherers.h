#pragma once
// Walking rows of colours onto a limited palette: the plain ditherer takes the nearest entry of
// each colour; the error-diffusion ditherers spread each pixel's error to its neighbours by their
// kernels. All walk the rows in serpentine order: the caller visits each row's pixels in the
// ditherer's Direction() and calls NextRow after each row.

#include <memory>
#include <vector>

#include "gif/ColorLookup.h"
#include "gif/GIFSettings.h"

namespace gif {

class TDitherEngine {
public:
    TDitherEngine(int width, TColorLookup& lookup) : lookup_(lookup), width_(width) {}
    virtual ~TDitherEngine() = default;
    virtual int DitherColor(TRgb color, TRgb& found);
    virtual void NextRow();
    // Passes over the pixel at Column() without choosing a colour or spreading any error.
    void Skip() { Step(); }
    int Direction() const { return direction_; }
    int Column() const { return column_; }

protected:
    void Step() { column_ += direction_; }

    TColorLookup& lookup_;
    int width_;
    int direction_ = 1;
    int column_ = 0;
};

// One weight of a kernel: rows below the current one, and columns ahead in the direction of travel.
struct TKernelCell {
    int row, column, weight;
};

class TErrorDiffusionDitherer : public TDitherEngine {
public:
    TErrorDiffusionDitherer(int width, TColorLookup& lookup, int divisor, std::vector<TKernelCell> kernel);
    int DitherColor(TRgb color, TRgb& found) override;
    void NextRow() override;

private:
    int divisor_;
    std::vector<TKernelCell> kernel_;
    int guard_ = 0;
    // errors_[row][component][guard + column], in units of 1/divisor.
    std::vector<std::vector<std::vector<int>>> errors_;
};

class TFloydSteinbergDitherer : public TErrorDiffusionDitherer {
public:
    TFloydSteinbergDitherer(int width, TColorLookup& lookup);
};
class TStuckiDitherer : public TErrorDiffusionDitherer {
public:
    TStuckiDitherer(int width, TColorLookup& lookup);
};
class TSierraDitherer : public TErrorDiffusionDitherer {
public:
    TSierraDitherer(int width, TColorLookup& lookup);
};
class TJaJuNiDitherer : public TErrorDiffusionDitherer {
public:
    TJaJuNiDitherer(int width, TColorLookup& lookup);
};
class TSteveArcheDitherer : public TErrorDiffusionDitherer {
public:
    TSteveArcheDitherer(int width, TColorLookup& lookup);
};
class TBurkesDitherer : public TErrorDiffusionDitherer {
public:
    TBurkesDitherer(int width, TColorLookup& lookup);
};

// The ditherer of a dither kind; null for a code outside the kinds.
std::unique_ptr<TDitherEngine> MakeDitherer(TDitherMode mode, int width, TColorLookup& lookup);

}  // namespace gif
