#pragma once
// The ten user flags 0..9. Flags 2 and 3 are cleared by testing them.

namespace corvel {

class CFlags {
public:
    // The flags with a meaning of their own; both are cleared by testing them.
    static constexpr int kTestCleared = 2;   // cleared by testing, like flag 3
    static constexpr int kDataEntry = 3;     // a number was keyed in, or a data file read
    CFlags() { Clear(); }
    void Clear() { for (bool& b : bFlags_) b = false; }
    void SetFlag(int n) { if (n >= 0 && n <= 9) bFlags_[n] = true; }
    void ClearFlag(int n) { if (n >= 0 && n <= 9) bFlags_[n] = false; }
    bool TestFlag(int n) {
        if (n < 0 || n > 9) return false;
        const bool b = bFlags_[n];
        if (n == kTestCleared || n == kDataEntry) bFlags_[n] = false;
        return b;
    }
    // Reads a flag without consuming it (for saving the machine state).
    bool PeekFlag(int n) const { return n >= 0 && n <= 9 && bFlags_[n]; }

private:
    bool bFlags_[10];
};

} // namespace corvel
