// Where the coefficients of each curve type live in a component record: the
// fields the curve-fit bar shows as the component's current coefficients,
// and the fields its "->" copy writes (and the curve types a component of a
// kind may take at all).
#pragma once

#include <windows.h>

struct ComponentFields;
struct TapeFields;

// The fields of rows 1 to 3 of the bar's result grids (A, B, C or K, n, C)
// in a component: each is the number (1 to 5) of a [Reals] column of the
// component's Components row, or of its Tapes row when bTape; 0 where the
// row has no field.
struct CurveFitFields
{
    BOOL bTape = FALSE;
    int nReals[3] = {};
};

// The fields the current grid shows for a curve type and a component of
// this [Database Number] and [Flags]; FALSE when it shows none (an outlet,
// or a kind without curves).
BOOL GetCurveFitShownFields(int nCurveType, int nDatabaseNumber, long nFlags, CurveFitFields& fields);

// The [Reals] field numbered n (1 to 5) of a Components row, or of a Tapes
// row; null for any other n.
float* GetCurveFitField(ComponentFields& record, int n);
float* GetCurveFitField(TapeFields& tape, int n);
const float* GetCurveFitField(const ComponentFields& record, int n);
const float* GetCurveFitField(const TapeFields& tape, int n);

// The fields "->" writes the calculated coefficients into; FALSE when the
// curve type is not one of the component's (a pump takes only pump curves,
// and so on). Outlets take none: an outlet's curves belong to its nozzles,
// and its [Reals1] holds its inlet diameter.
BOOL GetCurveFitCopyFields(int nCurveType, int nDatabaseNumber, long nFlags, CurveFitFields& fields);
