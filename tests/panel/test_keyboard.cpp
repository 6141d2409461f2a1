// The keyboard by behaviour: every key in every prefix state, from a fresh calculator, and what it leaves
// in X and Y or what else is the point. The expected values are worked out by hand, not by the code under test.
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include "PanelFixture.h"

namespace {
constexpr double kAny = std::numeric_limits<double>::quiet_NaN();   // not looked at

struct SKeyCase {
    const char* sKeys;
    double x = kAny, y = kAny;
    // "steps A / B": the program's steps from 1 to the last that is not the filler; "box B": the last box shown
    // (its start); "disp D|E": the display; "ptr N": the pointer; "viewer N": register viewers opened; "regs L1|L2":
    // lines the last one showed, in order; "title T": the window title; "cause C": why "Error" is shown;
    // "Error": the error flag. Without it the error flag must be clear.
    const char* sSeen = nullptr;
    SKeyCase(const char* k, double fX, double fY, const char* s = nullptr) : sKeys(k), x(fX), y(fY), sSeen(s) {}
    SKeyCase(const char* k, const char* s) : sKeys(k), sSeen(s) {}   // X and Y not looked at
};

// Keys as key scripts spell them; "KEY=TEXT" answers the input box the key opens with TEXT. A number
// being typed reaches X only when a later key ends it. Angles are in degrees.
const SKeyCase kCases[] = {
    // Digits and the entry keys without a prefix.
    {"1 2 3 4 5 ENTER", 12345, 0}, {"6 7 8 9 0 ENTER", 67890, 0}, {"1 . 5 EEX 2 ENTER", 150, 0},
    {"2 EEX 3 CHS ENTER", 0.002, 0}, {"2 EEX 3 CHS CHS ENTER", 2000, 0}, {"5 CHS ENTER", -5, 0}, {"5 ENTER CHS", -5, 5},
    {"3 ENTER ENTER", 3, 3}, {"3 ENTER 4 +", 7, 0}, {"3 ENTER 4 CLX 5 +", 8, 0}, {"2 ENTER 3 + 4 ENTER", 4, 5},
    {"5 CHS EEX 3 CHS ENTER", -0.005, 0}, {"EEX 2 3 4 CHS CHS +", 1e34, 0}, {"1 2 . 5 .", 12.5, 0},
    {"5 h * 3", "box message [Flag 3 Status] Flag 3 is set"}, {". h * 3", "box message [Flag 3 Status] Flag 3 is set"},
    {"CLX 7 h * 3", "box message [Flag 3 Status] Flag 3 is clear"},
    {"3 h * 3 h * 3", "box message [Flag 3 Status] Flag 3 is clear"},
    // A new calculator; numbers beyond the display range.
    {"", 0, 0, "disp 0.00|"}, {"", 0, 0, "title CorvelXMem "}, {"1 2 3 4 5 6 7 8 9 0 ENTER", 1234567890, 0, "disp 1.23|09"},
    {"7 ENTER 1 0 EEX 9 9 ENTER", 7, 0, "Error"}, {"7 ENTER 1 0 EEX 9 9 ENTER 5 CLX", "disp 7.00|"},
    {"1 EEX 9 9 STO 0 CLX 0 h STO 2 ENTER 1 0 RCL * (i)", 9.999999999e99, 2, "Error"},
    {"1 EEX 9 9 STO 0 0 h STO 2 0 CHS RCL * (i) 5 CLX", 9.999999999e99, kAny, "disp 10.00|99"},
    {"4 EEX 5 h STO STO (i)", "Error"}, {"1 0 0 0 h STO RCL (i)", "Error"},
    // A refused number stops the key that finished it.
    {"1 ENTER 2 ENTER 3 h 7 h 7 1 0 EEX 9 9 +", 3, 2, "Error"}, {"1 ENTER 2 ENTER 3 h 7 h 7 1 0 EEX 9 9 SUM+", 3, 2, "Error"},
    {"1 ENTER 2 ENTER 3 h 7 h 7 1 0 EEX 9 9 STO", 3, 2, "title CorvelXMem "}, {"1 ENTER 2 ENTER 3 h 7 h 7 1 0 EEX 9 9 R/S", 3, 2, "Error"},
    {"1 ENTER 2 ENTER 3 h 7 h 7 1 0 EEX 9 9 f", 3, 2, "Error"}, {"1 ENTER 2 ENTER 3 h 7 h 7 1 0 EEX 9 9 .", 3, 2, "Error"},
    // Prefixes and pending operations show in the title; the entry keys cancel a pending operation.
    {"f f", "title CorvelXMem [f]"}, {"f g", "title CorvelXMem [g]"}, {"f g /", "title CorvelXMem [g]"},
    {"6 ENTER 3 g /", 2, 0, "title CorvelXMem "}, {"STO +", "title CorvelXMem [STO+]"},
    {"STO + *", "title CorvelXMem "}, {"GTO f", "title CorvelXMem [gto]"}, {"RCL f", "title CorvelXMem "},
    {"DSP g", "title CorvelXMem [g]"}, {"h +", "title CorvelXMem [CF]"}, {"3 STO CHS", -3, 0, "title CorvelXMem "},
    {"RCL EEX 2", "disp 1| 02"}, {"5 GTO ENTER", 5, 5}, {"h + CLX", 0, kAny, "title CorvelXMem "},
    {"4 ENTER 2 STO * +", 2, 4, "title CorvelXMem "}, {"5 ENTER EEX 3 +", 1005, 5}, {"2 EEX 1 . 5 +", 20.5, 0},
    // f, g and h on the digits.
    {"2 0 0 ENTER 5 0 f 0", 100, 200}, {"2 0 0 ENTER 5 0 g 0", -75, 0}, {"2 ENTER 4 f 9 h 0", 4, 2},
    {"3 0 ENTER 2 f 1", 1.7320508075688772, 1}, {"3 ENTER 4 g 1", 36.86989764584402, 5}, {"2 h 1 3 +", 5, 0},
    {"1 f 2", 57.29577951308232, 0}, {"7 ENTER 1 8 0 g 2", std::numbers::pi, 7}, {"7 h 2", std::numbers::pi, 7}, {"1 . 3 f 3", 1.5, 0},
    {"1 . 5 g 3", 1.3, 0}, {"5 STO 1 h 3", 5, 0, "viewer 1"},   // the viewer formats in the display mode; ENG exponents are multiples of 3
    {"1 . 5 STO 3 CHS STO 4 1 2 3 4 5 STO A g DSP h 3", "regs p3:  1.50E00|p4: -1.50E00| A:  1.23E04| I:  0.00E00"},
    {"1 . 5 STO 3 CHS STO 4 1 2 3 4 5 STO A g DSP h 3 f DSP h 3", "regs p3:  1.50|s3:  0.00"},
    {"h DSP . 0 5 CHS STO 1 1 2 3 4 5 6 STO E h 3", "regs p0:  0.00E00|p1: -50.00E-03| E:  123.46E03| I:  0.00E00"},
    {"3 0 f 4", 0.5, 0}, {". 5 g 4", 30, 0}, {"4 h 4", 0.25, 0}, {"6 0 f 5", 0.5, 0}, {". 5 g 5", 60, 0}, {"2 ENTER 1 0 h 5", 1024, 0},
    {"4 5 f 6", 1, 0}, {"1 g 6", 45, 0}, {"3 CHS h 6", 3, 0}, {"1 0 f 7", 2.302585092994046, 0}, {"1 g 7", std::numbers::e, 0},
    {"1 ENTER 2 h 7", 1, 2}, {"2 f 8", 0.3010299956639812, 0}, {"2 g 8", 100, 0}, {"1 ENTER 2 ENTER 3 h 8", 2, 1},
    {"2 f 9", 1.4142135623730951, 0}, {"3 g 9", 9, 0}, {"1 ENTER 2 ENTER 3 h 9", 0, 3},
    // The other keys: ., EEX, CHS, ENTER, CLX.
    {"2 . 7 CHS f .", -2, 0}, {"2 . 7 5 g .", 0.75, 0}, {"1 . 5 ENTER . 2 5 h .", 1.45, 0}, {"5 STO 1 f EEX RCL 1", 0, kAny},
    {"1 ENTER 2 g EEX", 0, 0}, {"W/PRGM h RUN EEX 2", 0, 0, "disp 1| 02"},
    {"h EEX 1 0 0 f 4", 1, 0}, {"5 STO 9 f CHS RCL 9", 0, kAny}, {"5 STO 1 f CHS f CHS RCL 1", 5, kAny},
    {"h - 1 g CHS h * 1", "box message [Flag 1 Status] Flag 1 is clear"}, {"h CHS 1 g 6", 0.7853981633974483, 0},
    {"h CHS h ENTER 1 g 6", 45, 0}, {"5 f ENTER", 5, 0, "box question"}, {"5 g ENTER", 5, 0, "box question"},
    {"W/PRGM 1 RUN 3 f CLX", "steps "}, {"3 g CLX", 0, 0}, {"3 h CLX", 0, 0},
    // + - * /: f and g test only in programs, so from the keys they compute.
    {"7 ENTER 2 f +", 9, 0}, {"7 ENTER 2 g +", 9, 0}, {"7 ENTER 2 -", 5, 0}, {"7 ENTER 2 f -", 5, 0}, {"7 ENTER 2 g -", 5, 0},
    {"7 ENTER 2 *", 14, 0}, {"7 ENTER 2 f *", 14, 0}, {"7 ENTER 2 g *", 14, 0}, {"7 ENTER 2 /", 3.5, 0}, {"7 ENTER 2 f /", 3.5, 0},
    {"7 ENTER 2 g /", 3.5, 0}, {"h - 1 h * 1", "box message [Flag 1 Status] Flag 1 is set"},
    {"h - 1 h + 1 h * 1", "box message [Flag 1 Status] Flag 1 is clear"}, {"5 h /", 120, 0},
    // In SCI the exponent shows in RUN only: W/PRGM, an error and Off leave it empty; CLX after
    // the error shows X again; On returns to FIX 2. Each cause of an error is noted and goes with it.
    {"g DSP 1 2 5 ENTER", "disp 1.25|02"}, {"g DSP 1 2 5 ENTER W/PRGM", "disp 000 |"},
    {"g DSP 1 2 5 ENTER W/PRGM RUN", "disp 1.25|02"}, {"g DSP 1 2 5 ENTER 1 EEX 9 9 *", "disp Error|"},
    {"g DSP 1 2 5 ENTER 1 EEX 9 9 * CLX", "disp 1.00|99"}, {"g DSP 1 2 5 ENTER OFF 5", "disp |"},
    {"g DSP 1 2 5 ENTER OFF 5 ON", "disp 0.00|"}, {"1 ENTER 0 /", "cause division by zero"},
    {"1 ENTER 0 / CLX", "cause "}, {"f A", "cause no such label"}, {"1 CHS f 7", "cause invalid argument"},
    {"9 EEX 9 9 ENTER ENTER *", "cause overflow"},
    // Faults: an error that keeps the stack.
    {"0 h 4", "Error"}, {"1 CHS f 9", "Error"}, {"2 CHS ENTER . 5 h 5", "Error"}, {"2 g 4", "Error"},
    {"1 0 0 0 h /", "Error"}, {"4 ENTER 0 g 1", 0, 4, "Error"}, {"5 ENTER 7 ENTER 0 /", 0, 7, "Error"},
    {"7 ENTER 8 f SUM+", 8, 7, "Error"},
    // STO and RCL, their arithmetic and the index register.
    {"7 STO 1 3 STO + 1 RCL 1", 10, 3}, {"7 STO 1 3 STO - 1 RCL 1", 4, 3}, {"7 STO 1 3 STO * 1 RCL 1", 21, 3},
    {"7 STO 1 2 STO / 1 RCL 1", 3.5, 2}, {"4 STO 2 1 0 RCL + 2", 14, 4}, {"4 STO 2 1 0 RCL - 2", 6, 4}, {"4 STO 2 1 0 RCL * 2", 40, 4},
    {"4 STO 2 1 0 RCL / 2", 2.5, 4}, {"0 STO / 1", "Error"}, {"1 0 STO 2 0 STO / 2 CLX RCL 2", 10, kAny},
    {"5 STO A CLX RCL A", 5, kAny}, {"3 h STO 7 STO (i) CLX RCL 3", 7, kAny}, {"3 h STO 7 STO 3 CLX RCL (i)", 7, kAny},
    {"5 h STO f STO h RCL", 4, kAny}, {"7 STO 2 2 h STO g STO RCL 2", 6, kAny}, {"5 h STO f RCL h RCL", 6, kAny},
    {"7 STO 2 2 h STO g RCL RCL 2", 8, kAny},
    // DSP and (i).
    {"1 2 3 0 0 DSP 1", "disp 12300.0|"}, {"1 2 3 0 0 g DSP f DSP", "disp 12300.00|"},
    {"1 2 3 0 0 g DSP", "disp 1.23|04"}, {"1 2 3 0 0 h DSP", "disp 12.30|03"},
    {"3 . 5 h STO 1 DSP (i)", "disp 1.0000|"}, {"2 . 5 h STO 1 DSP (i)", "disp 1.00|"}, {"5 (i) ENTER", 5, 0},
    {"1 . 2 3 4 5 6 f (i)", 1.23, 0}, {"5 g (i)", 5, 0}, {"3 h STO 7 h (i) h RCL", 7, 3}, {"4 ENTER 3 ENTER 2 ENTER 7 h STO 1 h (i)", 7, 7},
    // Statistics: x = 3, 5 and y = 4, 8.
    {"4 0 ENTER 3 0 ENTER 2 ENTER 1 SUM+", 1, 30}, {"4 ENTER 3 SUM+ 8 ENTER 5 SUM+ f SUM+", 4, 6},
    {"4 ENTER 3 SUM+ 8 ENTER 5 SUM+ g SUM+", 1.4142135623730951, 2.8284271247461903},
    {"4 ENTER 3 SUM+ 8 ENTER 5 SUM+ 8 ENTER 5 h SUM+ RCL SUM+", 3, 4},
    // The label keys: without a label A-E are 1/x, sqrt, y^x, Rv and x<>y; with a prefix and no label an error.
    {"4 A", 0.25, 0}, {"9 B", 3, 0}, {"2 ENTER 3 C", 8, 0}, {"1 ENTER 2 D", 1, 0}, {"1 ENTER 2 E", 1, 2},
    {"W/PRGM f SST A 4 2 h GTO RUN A", 42, kAny}, {"W/PRGM f SST E 4 2 h GTO RUN 1 ENTER 2 E", 42, kAny},
    {"W/PRGM g SST A 9 h GTO RUN f A", 9, kAny}, {"W/PRGM g SST D 9 h GTO RUN f D", 9, kAny}, {"f B", "Error"},
    {"f C", "Error"}, {"f D", "Error"}, {"f E", "Error"}, {"g A", "Error"}, {"g B", "Error"}, {"g C", "Error"},
    {"g D", "Error"}, {"g E", "Error"}, {"h A", "Error"}, {"h B", "Error"}, {"h C", "Error"}, {"h D", "Error"},
    {"h E", "Error"},
    // GTO moves, GSB (f GTO) and gsb (g GTO) run, RTN (h GTO) rewinds.
    {"W/PRGM f SST 1 7 h GTO RUN GTO 1 R/S", 7, kAny}, {"W/PRGM f SST 1 7 h GTO RUN f GTO 1", 7, kAny},
    {"2 ENTER W/PRGM + RUN 5 SST", 7, 0},   // SST, as R/S, takes a typed number to the stack first
    {"W/PRGM f SST 2 7 h GTO RUN 2 h STO GTO (i) R/S", 7, kAny}, {"W/PRGM f SST 2 7 h GTO RUN 2 h STO f GTO (i)", 7, kAny},
    {"W/PRGM g SST C 8 h GTO RUN g GTO C", 8, kAny}, {"W/PRGM g SST C 8 h GTO RUN GTO f C", "ptr 1"},
    {"W/PRGM 1 2 3 RUN h GTO", "ptr 1"}, {"GTO A", "Error"}, {"GTO 4", "Error"},
    // W/PRGM: the steps each prefix records on the digits and the other keys.
    {"W/PRGM 0 1 2 3 4 5 6 7 8 9 . EEX CHS ENTER CLX + - * / SUM+", kAny, kAny,
     "steps 0 / 1 / 2 / 3 / 4 / 5 / 6 / 7 / 8 / 9 / . / EEX / CHS / ENTER / CLX / + / - / * / / / Sum+"},
    {"W/PRGM f 0 f 1 f 2 f 3 f 4 f 5 f 6 f 7 f 8 f 9", kAny, kAny,
     "steps % / R<-P / D<-R / H<-HMS / SIN / COS / TAN / LN / LOG / SQRT"},
    {"W/PRGM g 0 g 1 g 2 g 3 g 4 g 5 g 6 g 7 g 8 g 9", kAny, kAny,
     "steps %CH / R->P / D->R / H->HMS / ARCSIN / ARCCOS / ARCTAN / E^X / 10^x / x^2"},
    {"W/PRGM h 0 h 1 h 2 h 3 h 4 h 5 h 6 h 7 h 8 h 9", kAny, kAny,
     "steps LST x / PAUSE / PI / REG / 1/x / y^x / ABS / x<>y / Rv / R^"},
    {"W/PRGM f . f EEX f CHS f ENTER f + f - f * f / f STO f RCL f (i) f SUM+ f DSP", kAny, kAny,
     "steps INT / CLREG / P<>S / W/DATA / x<>0? / x=0? / x<0? / x>0? / DSZ / ISZ / RND / Mean / FIX"},
    {"W/PRGM g . g EEX g CHS g ENTER g + g - g * g / g STO g RCL g (i) g SUM+ g DSP", kAny, kAny,
     "steps FRAC / CLSTK / MERGE / x<>y? / x=y? / x<=y? / x>y? / DSZ (i) / ISZ (i) / Sdev / SCI"},
    {"W/PRGM h . h EEX h CHS h ENTER h / h STO h RCL h GTO h (i) h SUM+ h DSP", kAny, kAny,
     "steps . / GRD / RAD / DEG / N! / ST I / RC I / RTN / x<>I / Sum- / ENG"},
    {"W/PRGM A B C D E f A f B f C f D f E g A h A", kAny, kAny,
     "steps GSB A / GSB B / GSB C / GSB D / GSB E / GSB a / GSB b / GSB c / GSB d / GSB e"},
    {"W/PRGM STO 1 STO + A STO - 2 STO * 3 STO / (i) RCL 4 RCL + 5 RCL - B RCL * (i) RCL / 6", kAny, kAny,
     "steps STO 1 / STO+ A / STO- 2 / STO* 3 / STO/ (i) / RCL 4 / RCL+ 5 / RCL- B / RCL* (i) / RCL/ 6"},
    {"W/PRGM RCL (i) RCL SUM+ GTO 7 GTO f A f GTO C g GTO C f SST 5 g SST B DSP 3 DSP (i) h + 4 h - 5 h * 6", kAny, kAny,
     "steps RCL (i) / RCL Sum+ / GTO 7 / GTO a / GSB C / GSB c / LBL 5 / LBL b / DSP 3 / DSP (i) / CF 4 / SF 5 / F? 6"},
    {"W/PRGM 1 g GTO 8 GTO f 3 h - A DSP A STO / E", "steps 1 / STO/ E"},
    // f W/PRGM clears the program; the R/S keys record STK, -x-, SPACE; g CHS records nothing; deleting at step 000
    // loses nothing; h SST and SST move; Off ignores keys (in W/PRGM it does nothing); On erases everything.
    {"W/PRGM 1 2 3 RUN f W/PRGM", "disp 000 |"}, {"W/PRGM 1 2 h SST h SST h CLX", "steps 1 / 2"},
    {"W/PRGM 7 8 g R/S f R/S h R/S g CHS", "steps 7 / 8 / STK / -x- / SPACE"},
    {"W/PRGM 7 8 g R/S f R/S h R/S h SST h SST SST", "disp 004 -x-|"}, {"W/PRGM 5 OFF 6", "steps 5 / 6"},
    {"W/PRGM 5 6 GTO .=abc 7", "Error"},   // an error in W/PRGM
    {"W/PRGM 5 6 GTO .=abc 7", "steps 5 / 6 / GTO 7"}, {"W/PRGM 5 6 GTO .=abc 7 SST", kAny, kAny},   // stays until SST
    {"W/PRGM 5 6 GTO .=abc 7 SST", "disp 004 R/S|"}, {"W/PRGM 1 RUN 5 STO 3 OFF 7", 5, 0, "disp |"},
    {"W/PRGM 1 RUN 5 STO 3 OFF 7 ON", 0, 0, "steps "}, {"W/PRGM 1 RUN 5 STO 3 OFF ON RCL 3", 0, 0, "disp 0.00|"},
    // SST from step 000 runs step 1; digits keyed by single steps stay in the display until a
    // later step ends the number; h SST steps back and keeps the display.
    {"W/PRGM 4 2 h SST h SST RUN SST SST", "disp 42|"}, {"W/PRGM 4 2 h SST h SST RUN SST SST SST", 42, 0, "ptr 4"},
    {"W/PRGM 4 2 h SST h SST RUN SST SST SST h SST h SST", 42, 0, "disp 42.00|"},
    // Line numbers typed for GTO .: not a number is an error; an empty answer changes nothing; ".." the
    // end, "-A" label A or step 1 without it. R/S runs on from the pointer after an R/S step, and pushes
    // a number being typed first. An error in a run or a single step names its step.
    {"GTO .=abc", "title CorvelXMem [GTO]"}, {"GTO .=abc", "Error"}, {"CLX GTO .=", 0, 0},
    {"GTO .=..", "ptr 0"}, {"GTO .=-A", "ptr 1"}, {"GTO .=12", "ptr 12"},
    {"W/PRGM 1 2 3 h SST h SST GTO .=..", "disp 003 3|"}, {"W/PRGM 1 2 3 GTO .=-A", "ptr 1"},
    {"W/PRGM 1 2 3 GTO .=2", "disp 002 2|"}, {"W/PRGM 1 2 R/S 3 RUN GTO .=. R/S R/S", 3, 12},
    {"W/PRGM 1 2 R/S 3 RUN GTO .=. R/S R/S", "ptr 6"}, {"W/PRGM 2 * RUN GTO .=1 2 1 R/S", 42, 0},
    {"W/PRGM f 7 RUN 1 CHS GTO .=1 R/S", -1, 0, "box message [Program Error] Error at line 001 LN"},
    {"W/PRGM f 7 RUN 1 CHS GTO .=1 R/S", -1, 0, "disp Error|"}, {"W/PRGM f 7 RUN 1 CHS GTO .=1 R/S CLX", -1, 0, "disp -1.00|"},
    {"W/PRGM 1 CHS f 7 RUN GTO .=. SST SST SST", -1, 0, "box message [Program Error] Error at line 003 LN"},
    {"W/PRGM 1 CHS f 7 RUN GTO .=. SST SST SST", -1, 0}, {"W/PRGM 1 CHS f 7 RUN GTO .=. SST SST SST", -1, 0, "ptr 3"},
    {"W/PRGM 1 R/S", "ptr 2"}, {"W/PRGM 1 2 3 h CLX", "steps 1 / 2"}, {"W/PRGM 1 2 3 h CLX", "ptr 2"},
    {"W/PRGM 1 2 3 f CLX", "steps "},
};

struct SCalc {
    CFakeHost oHost;
    CFrontPanel oMain{oHost};

    std::string Seen(const std::string& sWant) const {
        const std::string sKind = sWant.substr(0, sWant.find(' '));
        if (sKind == "Error") return oMain.View().bInErr ? "Error" : "no error";
        if (sKind == "ptr") return "ptr " + std::to_string(oMain.View().oPrgm.GetPrgmPointer());
        if (sKind == "title") return "title " + oMain.View().sTitle;
        if (sKind == "viewer") return "viewer " + std::to_string(oHost.nViewers);
        if (sKind == "disp") return "disp " + oMain.View().lblDisp + "|" + oMain.View().lblEex;
        if (sKind == "cause") return "cause " + std::string(oMain.View().bInErr.CauseText());
        if (sKind == "regs") {   // those lines of the last register viewer, in its order
            std::string s = "regs ";
            for (const std::string& l : oHost.vLastViewer)
                if (("|" + sWant.substr(5) + "|").find("|" + l + "|") != std::string::npos) s += (s.size() > 5 ? "|" : "") + l;
            return s;
        }
        if (sKind == "box") return "box " + Last(oHost.vShown).substr(0, sWant.size() - 4);   // "box question": any
        std::string s = "steps ";
        int nLast = 0;
        for (int n = 1; n <= oMain.View().oPrgm.GetMaxSteps(); ++n)
            if (oMain.View().oPrgm.GetLine(n) != "R/S") nLast = n;
        for (int n = 1; n <= nLast; ++n) s += (n > 1 ? " / " : "") + oMain.View().oPrgm.GetLine(n);
        return s;
    }
};

void ExpectValue(double fGot, double fWant, const char* sWhat) {
    if (!std::isnan(fWant)) EXPECT_NEAR(fGot, fWant, 1e-12 * std::max(1.0, std::fabs(fWant))) << sWhat;
}
}  // namespace

TEST(Keyboard, EveryKeyInEveryPrefixStateDoesItsOwnFunction) {
    for (const SKeyCase& c : kCases) {
        SCOPED_TRACE(c.sKeys);
        auto p = std::make_unique<SCalc>();
        std::istringstream is(c.sKeys);
        for (std::string k; is >> k;) {
            if (const size_t n = k.find('='); n != std::string::npos) {   // "GTO .=12": "." answered "12"
                p->oHost.vInputs.push_back(k.substr(n + 1));
                k.resize(n);
            }
            ASSERT_TRUE(p->oMain.PressKey(k)) << "unknown key " << k;
        }
        ExpectValue(p->oMain.Machine().oStack.GetX(), c.x, "X");
        ExpectValue(p->oMain.Machine().oStack.GetY(), c.y, "Y");
        if (c.sSeen) EXPECT_EQ(p->Seen(c.sSeen), c.sSeen);
        else EXPECT_FALSE(p->oMain.View().bInErr);
    }
}
