// The values the component editors edit, kind by kind, and where each is
// kept in the Components columns (and a tape's Tapes columns), in which unit.
//
// Each kind has a struct of its values as its editor holds them: quantities
// are unit-aware values, held in the unit they are stored in (the editor
// shows them in the user's display unit), except nominal diameters, which
// are held in the display diameter unit because the nominal-size table, not
// arithmetic, gives their stored millimetres. Load fills the values from a
// stored record; Store writes them into the columns of the kind, converted
// into the stored units, and leaves every other column as the record holds
// it. FitTexts makes the texts as wide as their columns, as the editors do
// at OK (Store fits them too, so a text never lands wider or narrower than
// its column).
//
// The values every kind shares (description, costs, label...) and those of
// the line and symbol kinds are stored by StoreCommon, StoreLine and
// StoreSymbol.
#pragma once

#include "database/records/ComponentRecords.h"
#include "units/OZU_Value.h"

namespace kvcomponents {

// What loading and storing need of the view: the nominal-size conversion of
// diameters and the widths of the text columns.
class CComponentColumns
{
public:
    virtual ~CComponentColumns() = default;
    // A diameter in a length unit through the document's nominal-size table
    // (the table's counterpart of a size it lists, else the plain
    // conversion); an invalid value when there is no table to ask.
    virtual OZU_DiameterValue ConvertNominal(const OZU_DiameterValue& diameter, int nUnit) = 0;
    // The text width of a 1-based Components column; 0 when not known.
    virtual int GetFieldLength(int nColumn) const = 0;
};

// A nominal diameter stored in millimetres, in the display unit; and one
// held in any unit, in millimetres to store. Without a table answer the
// plain conversion is used, so a value is never lost to a missing table.
OZU_DiameterValue LoadNominalDiameter(CComponentColumns& columns, float fStoredMM, int nDisplayUnit);
float StoreNominalDiameter(CComponentColumns& columns, const OZU_DiameterValue& diameter);

// The fixed widths of the editors' own texts.
enum : int
{
    CONNECTION_CODE_WIDTH = 4,
    CONNECTION_GENDER_WIDTH = 1,
    CONNECTION_SUFFIX_WIDTH = 1,
    PIPE_TYPE_WIDTH = 6,         // [Major1] of pipes, tapes and wires
    WIRE_TYPE_CHARS = 4,         // the letters a wire type may have
    FLOW_CALC_TYPE_WIDTH = 4,    // Tapes [Flow Calc Type]
    FITTING_TYPE_WIDTH = 3,      // [Item Type] of a hydraulic item
    ARC_CODE_WIDTH = 3,          // [Item Type] of an outlet
    DEFAULT_NOZZLE_WIDTH = 10,   // [Default Nozzle]
};

// A connection type as [Major1] or [Minor1] keeps it: a 4-character type
// code, a 1-character gender (" ", "M" or "F") and a 1-character suffix.
struct ConnectionParts
{
    CString code;
    CString gender;
    CString suffix;

    // The parts of a column: the code is its first 4 characters without the
    // blanks around them, the gender its 5th and the suffix its 6th
    // character, each without a trailing blank; an empty column gives three
    // empty parts.
    static ConnectionParts Split(const CString& column);
    // Each part made exactly as wide as it is kept (4, 1 and 1).
    void FitTexts();
    // The column text: the three parts fitted and joined.
    CString Join() const;
};

// The text the flow calculation type of an iterated tape holds.
extern const char kIterationFlowCalc[];
// The arc types of an outlet: the codes [Item Type] keeps.
extern const char kArcFixed[];
extern const char kArcVariable[];
extern const char kArcMatched[];
extern const char kArcDemandPoint[];
// The text a nozzle's [Usage] always holds.
extern const char kNozzleUsage[];

/////////////////////////////////////////////////////////////////////////////
// The values every component has, and those of line and symbol components

struct CommonValues
{
    long nComponentKey = -1;
    long nOldId1 = 0, nOldId2 = 0, nOldId3 = 0;
    CString description, warehouseCode, supplierCode, usage;
    CString label;               // [Major2] followed by [Minor2]
    float fWholesaleCost = 0.0f; // [Reals7]
    float fRetailPrice = 0.0f;   // [Reals8]
    long nFlags = 0;
};

// [Old id1..3], [Database Number], [Description], [Warehouse Code],
// [Supplier Code], [Usage] (a nozzle's always kNozzleUsage), [Reals7],
// [Reals8], [Flags] and, for a kind with a label, [Major2] and [Minor2] (the
// label split at the width of [Major2]). The texts are fitted to their
// columns' widths where those are known. [Component Key] is not touched.
void StoreCommon(const CommonValues& values, int nDatabaseNumber, CComponentColumns& columns,
                 ComponentFields& record);

// [Linetype] and [Colour1] of a line component.
void StoreLine(long nLineType, long nColour, ComponentFields& record);
// [Symbol], [Symbol Size], [Symbol File] and [Colour1] of a symbol component.
void StoreSymbol(long nSymbol, float fSymbolSize, long nSymbolFile, long nColour, ComponentFields& record);

/////////////////////////////////////////////////////////////////////////////
// Fittings

// Coupler, tee and cross.
struct JoinValues
{
    OZU_DiameterValue majorDiameter{ 0.0, LENGTH_MM }; // [Reals1], nominal
    OZU_DiameterValue minorDiameter{ 0.0, LENGTH_MM }; // [Reals2], nominal
    ConnectionParts majorConnection;                   // [Major1]
    ConnectionParts minorConnection;                   // [Minor1]

    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    void FitTexts();
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

// Elbow and bend.
struct BendValues
{
    OZU_AngleValue angle{ 0.0, ANGLE_DEGREES };        // [Reals2], degrees
    OZU_DiameterValue majorDiameter{ 0.0, LENGTH_MM }; // [Reals1], nominal
    OZU_DiameterValue minorDiameter{ 0.0, LENGTH_MM }; // [Reals3], nominal
    ConnectionParts majorConnection;                   // [Major1]
    ConnectionParts minorConnection;                   // [Minor1]

    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    void FitTexts();
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

// Lateral take-off.
struct TakeOffValues
{
    CString pipeType;                                    // [Major1], the major pipe's type
    OZU_DiameterValue lateralDiameter{ 0.0, LENGTH_MM }; // [Reals2], nominal
    OZU_DiameterValue submainDiameter{ 0.0, LENGTH_MM }; // [Reals1], nominal: the smallest submain
    ConnectionParts minorConnection;                     // [Minor1]

    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    // The pipe type to the width of [Major1] (when known), the connection
    // to its parts' widths.
    void FitTexts(CComponentColumns& columns);
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

// Miscellaneous item.
struct MiscValues
{
    OZU_DiameterValue size1{ 0.0, LENGTH_MM }; // [Reals1], nominal
    OZU_DiameterValue size2{ 0.0, LENGTH_MM }; // [Reals2], nominal

    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

/////////////////////////////////////////////////////////////////////////////
// Line components

struct PipeValues
{
    CString pipeType;                                       // [Major1]
    OZU_DiameterValue nominalDiameter{ 0.0, LENGTH_MM };    // [Reals1], nominal
    OZU_DiameterValue actualDiameter{ 0.0, LENGTH_MM };     // [Reals2], mm
    float fRoughness = 0.0f;                                // [Reals3], C
    OZU_PressureValue allowablePressure{ 0.0, PRESSURE_M }; // [Reals4], m of head

    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    void FitTexts();
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

// A tape: a pipe with emitters, its values in its Components row and its
// Tapes row. The fourth emitter coefficient is a spacing (a length) when
// the flow is iterated, else the formula's slope factor (a plain number).
struct TapeValues
{
    PipeValues pipe;                                                 // as a pipe's, "Tape Roughness" for the roughness
    float fCOV = 0.0f;                                               // C.[Rextra3]
    OZU_PressureValue minimumPCPressure{ 0.0, PRESSURE_M };          // C.[Rextra4], m of head
    BOOL bIteration = FALSE;                                         // T.[Flow Calc Type] "ITER", else four blanks
    float fCoefficient1 = 0.0f;                                      // T.[Reals1] emitter constant / constant
    float fCoefficient2 = 0.0f;                                      // T.[Reals2] emitter index / length factor
    float fCoefficient3 = 0.0f;                                      // T.[Reals3] emitter barb factor / pressure factor
    float fSlopeFactor = 0.0f;                                       // T.[Reals4] without iteration
    OZU_LengthValue spacing{ 0.0, LENGTH_M };                        // T.[Reals4] with iteration, m
    OZU_PressureValue defaultPressure{ 0.0, PRESSURE_M };            // T.[Reals5], m of head
    OZU_FlowPerLengthValue dischargeRate{ 0.0, FLOWPERLENGTH_LPHM }; // T.[Reals6], lph/m
    OZU_PressureValue minimumPressure{ 0.0, PRESSURE_M };            // T.[Rextra1], m of head
    OZU_PressureValue maximumPressure{ 0.0, PRESSURE_M };            // T.[Rextra2], m of head
    float fZoneAbove = 0.0f;                                         // T.[Rextra3] zone pressure tolerance, % above
    float fZoneBelow = 0.0f;                                         // T.[Rextra4] zone pressure tolerance, % below

    void Load(const ComponentFields& record, const TapeFields& tape, CComponentColumns& columns, int nDiameterUnit);
    void FitTexts();
    // Also sets the tape bit of [Flags]: a tape is a pipe row with it.
    void Store(CComponentColumns& columns, ComponentFields& record, TapeFields& tape) const;
};

struct WireValues
{
    CString wireType;          // [Major1], up to 4 letters, kept 6 wide
    float fNominalSize = 0.0f; // [Reals1]
    float fResistance = 0.0f;  // [Reals3]
    float fVoltage = 0.0f;     // [Reals4]

    void Load(const ComponentFields& record);
    void FitTexts();
    void Store(ComponentFields& record) const;
};

/////////////////////////////////////////////////////////////////////////////
// Components with a performance curve

// Valve (K, n, C of H = KQ^n + C), hydraulic item (the same, and a fitting
// type) and pump (A, B, C of H = AQ² + BQ + C).
struct CurveValues
{
    OZU_DiameterValue inletDiameter{ 0.0, LENGTH_MM };  // [Reals1], nominal
    OZU_DiameterValue outletDiameter{ 0.0, LENGTH_MM }; // [Reals2], nominal
    float fCoefficient1 = 0.0f;                         // [Reals3] K, or A
    float fCoefficient2 = 0.0f;                         // [Reals4] n, or B
    float fCoefficient3 = 0.0f;                         // [Reals5] C
    ConnectionParts inletConnection;                    // [Major1]
    ConnectionParts outletConnection;                   // [Minor1]
    OZU_LargeFlowValue minimumFlow{ 0.0, FLOW_M3H };    // [Rextra1], m³/h
    OZU_LargeFlowValue maximumFlow{ 0.0, FLOW_M3H };    // [Rextra2], m³/h
    CString fittingType;                                // [Item Type], hydraulic items only

    // bFittingType: the kind keeps a fitting type (a hydraulic item).
    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit, BOOL bFittingType);
    // The fitting type is made upper case.
    void FitTexts(BOOL bFittingType);
    void Store(CComponentColumns& columns, ComponentFields& record, BOOL bFittingType) const;
};

/////////////////////////////////////////////////////////////////////////////
// Outlets, nozzles and outlet connections

struct OutletValues
{
    CString arcCode;                                      // [Item Type]: kArcFixed ... kArcDemandPoint
    CString defaultNozzle;                                // [Default Nozzle]
    OZU_PressureValue defaultPressure{ 0.0, PRESSURE_M }; // [Rextra1], m of head
    OZU_AngleValue defaultArc{ 0.0, ANGLE_DEGREES };      // [Rextra2] in degrees, unless a demand point
    OZU_FlowValue defaultFlow{ 0.0, FLOW_LPH };           // [Rextra2] in lph, for a demand point
    float fToleranceAbove = 0.0f;                         // [Rextra3]
    float fToleranceBelow = 0.0f;                         // [Rextra4]
    OZU_DiameterValue inletDiameter{ 0.0, LENGTH_MM };    // [Reals1], nominal
    ConnectionParts inletConnection;                      // [Major1]

    BOOL IsDemandPoint() const;
    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    // The default nozzle to its first 10 characters, the code to 3.
    void FitTexts();
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

struct NozzleValues
{
    OZU_AngleValue arc{ 0.0, ANGLE_DEGREES };             // [Reals3], degrees
    float fFlowConstant = 0.0f;                           // [Reals4], K of Q = KH^n
    float fFlowIndex = 0.0f;                              // [Reals5], n
    float fRadiusConstant = 0.0f;                         // [Reals1], K of R = KH^n
    float fRadiusIndex = 0.0f;                            // [Reals2], n
    float fCOV = 0.0f;                                    // [Rextra3]
    OZU_PressureValue maximumPressure{ 0.0, PRESSURE_M }; // [Rextra2], m of head
    OZU_PressureValue minimumPressure{ 0.0, PRESSURE_M }; // [Rextra1], m of head

    void Load(const ComponentFields& record);
    void Store(ComponentFields& record) const;
};

struct OutletConnectionValues
{
    OZU_DiameterValue equivalentDiameter{ 0.0, LENGTH_MM }; // [Reals4], mm (not nominal)
    OZU_LengthValue height{ 0.0, LENGTH_M };                // [Reals3], m above ground
    OZU_LengthValue equivalentLength{ 0.0, LENGTH_M };      // [Reals5], m
    OZU_DiameterValue inletDiameter{ 0.0, LENGTH_MM };      // [Reals1], nominal
    OZU_DiameterValue outletDiameter{ 0.0, LENGTH_MM };     // [Reals2], nominal
    ConnectionParts inletConnection;                        // [Major1]
    ConnectionParts outletConnection;                       // [Minor1]

    void Load(const ComponentFields& record, CComponentColumns& columns, int nDiameterUnit);
    void FitTexts();
    void Store(CComponentColumns& columns, ComponentFields& record) const;
};

/////////////////////////////////////////////////////////////////////////////
// Electric components

struct ElectricValues
{
    float fRating = 0.0f;  // [Reals1], watts
    float fVoltage = 0.0f; // [Reals2], volts

    void Load(const ComponentFields& record);
    void Store(ComponentFields& record) const;
};

struct LightValues
{
    float fRating = 0.0f;         // [Reals1], watts
    float fVoltage = 0.0f;        // [Reals2], nominal volts
    float fToleranceAbove = 0.0f; // [Rextra1], % above
    float fToleranceBelow = 0.0f; // [Rextra2], % below

    void Load(const ComponentFields& record);
    void Store(ComponentFields& record) const;
};

struct ControllerValues
{
    float fStations = 0.0f; // [Reals1], number of stations

    void Load(const ComponentFields& record);
    void Store(ComponentFields& record) const;
};

} // namespace kvcomponents
