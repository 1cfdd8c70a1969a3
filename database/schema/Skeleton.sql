-- The component database: every table a new database starts with.
-- This file is the one place where the file format is written down as SQL;
-- the build turns it into Database/Skeleton.sqlite, and the sample database is
-- made from it too.
--
-- Types: INTEGER holds a signed 32-bit value (RFX_Long), TINYINT a byte
-- (RFX_Byte), REAL a single-precision value (RFX_Single; SQLite keeps it as a
-- double, the program reads and writes it as a float) and VARCHAR(n) text of
-- at most n characters, which the SQLite ODBC driver reports as SQL_VARCHAR
-- of size n, as the Access driver reports a Text(n) column. Text columns are
-- COLLATE NOCASE: their values compare and sort without regard to case, as
-- the Access engine's text does (SQLite folds the letters A to Z only).
--
-- [Component Key] is given by the database on insert and never reused, so a
-- key that Tapes, Nozzles or Assemblies rows still name cannot come back for
-- another component. Tapes, Nozzles and Assemblies have no key of their own.

CREATE TABLE [Components] (
    [Component Key]   INTEGER PRIMARY KEY AUTOINCREMENT,
    [Old id1]         INTEGER DEFAULT 0,
    [Old id2]         INTEGER DEFAULT 0,
    [Old id3]         INTEGER DEFAULT 0,
    [Database Number] TINYINT DEFAULT 0,
    [Description]     VARCHAR(50) COLLATE NOCASE DEFAULT '',
    [Warehouse Code]  VARCHAR(32) COLLATE NOCASE DEFAULT '',
    [Supplier Code]   VARCHAR(4) COLLATE NOCASE DEFAULT '',
    [Usage]           VARCHAR(3) COLLATE NOCASE DEFAULT '',
    [Major1]          VARCHAR(6) COLLATE NOCASE DEFAULT '      ',
    [Minor1]          VARCHAR(6) COLLATE NOCASE DEFAULT '      ',
    [Major2]          VARCHAR(6) COLLATE NOCASE DEFAULT '      ',
    [Minor2]          VARCHAR(6) COLLATE NOCASE DEFAULT '      ',
    [Reals1]          REAL DEFAULT 0,
    [Reals2]          REAL DEFAULT 0,
    [Reals3]          REAL DEFAULT 0,
    [Reals4]          REAL DEFAULT 0,
    [Reals5]          REAL DEFAULT 0,
    [Reals6]          REAL DEFAULT 0,
    [Reals7]          REAL DEFAULT 0,
    [Reals8]          REAL DEFAULT 0,
    [Rextra1]         REAL DEFAULT 0,
    [Rextra2]         REAL DEFAULT 0,
    [Rextra3]         REAL DEFAULT 0,
    [Rextra4]         REAL DEFAULT 0,
    [Document Index]  INTEGER DEFAULT 0,
    [Linetype]        INTEGER DEFAULT 0,
    [Symbol]          INTEGER DEFAULT 0,
    [Symbol Size]     REAL DEFAULT 0,
    [Symbol File]     INTEGER DEFAULT 0,
    [Colour1]         INTEGER DEFAULT 16777215,
    [Colour2]         INTEGER DEFAULT 16777215,
    [Default Nozzle]  VARCHAR(10) COLLATE NOCASE DEFAULT '          ',
    [Item Type]       VARCHAR(3) COLLATE NOCASE DEFAULT '   ',
    [Flags]           INTEGER DEFAULT 0,
    [Order]           INTEGER DEFAULT 10000
);
CREATE INDEX [Components by Database Number] ON [Components] ([Database Number]);
-- The grids read a tab's rows in its sort order (within its filter): an
-- index for each order, so that the rows come in order without being sorted
-- first. The key ends every index, as it ends the order the grids read in.
-- A pipe's [Flags] left NULL counts as 0, so the pipe tab asks for
-- "[Flags] = 0 OR [Flags] IS NULL": [Flags] comes last in its index, which
-- still holds every column that filter reads.
CREATE INDEX [Components in Pipe order] ON [Components] ([Database Number], [Order], [Major1], [Reals1], [Reals4], [Description], [Flags]);
CREATE INDEX [Components in Tape order] ON [Components] ([Flags], [Order], [Description], [Reals1]);
CREATE INDEX [Components in Valve order] ON [Components] ([Database Number], [Order], [Major1], [Minor1], [Reals1], [Reals2], [Description]);
CREATE INDEX [Components in Elbow order] ON [Components] ([Database Number], [Order], [Major1], [Minor1], [Reals1], [Reals2], [Reals3], [Description]);
CREATE INDEX [Components in Nozzle order] ON [Components] ([Database Number], [Order], [Description], [Reals3], [Reals4]);
CREATE INDEX [Components in Outlet order] ON [Components] ([Database Number], [Order], [Description], [Major1], [Reals1]);
CREATE INDEX [Components in Component order] ON [Components] ([Database Number], [Order], [Description], [Reals1], [Reals2]);
-- The duplicate test compares description and warehouse code without their
-- trailing blanks and without regard to case, as text compares.
CREATE INDEX [Components by Name] ON [Components] ([Database Number], RTRIM([Description]) COLLATE NOCASE, RTRIM([Warehouse Code]) COLLATE NOCASE);

CREATE TABLE [Tapes] (
    [Pipe Key]        INTEGER DEFAULT 0,
    [Flow Calc Type]  VARCHAR(4) COLLATE NOCASE DEFAULT '',
    [Reals1]          REAL DEFAULT 0,
    [Reals2]          REAL DEFAULT 0,
    [Reals3]          REAL DEFAULT 0,
    [Reals4]          REAL DEFAULT 0,
    [Reals5]          REAL DEFAULT 0,
    [Reals6]          REAL DEFAULT 0,
    [Rextra1]         REAL DEFAULT 0,
    [Rextra2]         REAL DEFAULT 0,
    [Rextra3]         REAL DEFAULT 0,
    [Rextra4]         REAL DEFAULT 0
);
CREATE INDEX [Tapes by Pipe Key] ON [Tapes] ([Pipe Key]);

CREATE TABLE [Nozzles] (
    [Emitter Key]     INTEGER DEFAULT 0,
    [Nozzle Key]      INTEGER DEFAULT 0
);
CREATE INDEX [Nozzles by Emitter Key] ON [Nozzles] ([Emitter Key]);
CREATE INDEX [Nozzles by Nozzle Key] ON [Nozzles] ([Nozzle Key]);

CREATE TABLE [Assemblies] (
    [Assembly Key]    INTEGER DEFAULT 0,
    [Item Key]        INTEGER DEFAULT 0,
    [Number/Length]   REAL DEFAULT 0
);
CREATE INDEX [Assemblies by Assembly Key] ON [Assemblies] ([Assembly Key]);
CREATE INDEX [Assemblies by Item Key] ON [Assemblies] ([Item Key]);

CREATE TABLE [Suppliers] (
    [Description]     VARCHAR(50) COLLATE NOCASE DEFAULT '',
    [Code]            VARCHAR(4) COLLATE NOCASE DEFAULT '',
    [Base Price]      VARCHAR(1) COLLATE NOCASE DEFAULT '',
    [Multiplier A]    REAL DEFAULT 0,
    [Multiplier B]    REAL DEFAULT 0,
    [Multiplier C]    REAL DEFAULT 0,
    [Multiplier D]    REAL DEFAULT 0
);

CREATE TABLE [Symbols] (
    [Key]             INTEGER DEFAULT 0,
    [Name]            VARCHAR(50) COLLATE NOCASE DEFAULT ''
);

CREATE TABLE [PipeTable] (
    [Type]            VARCHAR(6) COLLATE NOCASE DEFAULT '',
    [Gender]          VARCHAR(1) COLLATE NOCASE DEFAULT '',
    [Connection]      VARCHAR(4) COLLATE NOCASE DEFAULT '',
    [Fitting1]        VARCHAR(6) COLLATE NOCASE DEFAULT '',
    [Fitting2]        VARCHAR(6) COLLATE NOCASE DEFAULT '',
    [Fitting3]        VARCHAR(6) COLLATE NOCASE DEFAULT '',
    [Fitting4]        VARCHAR(6) COLLATE NOCASE DEFAULT '',
    [Fitting5]        VARCHAR(6) COLLATE NOCASE DEFAULT '',
    [Bend Angle]      REAL DEFAULT 0,
    [Extra Allowance] REAL DEFAULT 0,
    [Rounding]        REAL DEFAULT 0,
    [Roll Length]     REAL DEFAULT 0
);

CREATE TABLE [Nominal Conversions] (
    [NominalMM]       REAL DEFAULT 0,
    [NominalInches]   REAL DEFAULT 0,
    [NominalMetres]   REAL DEFAULT 0,
    [NominalFeet]     REAL DEFAULT 0
);

-- Documents linked to components through [Document Index]; the program
-- never binds this table, it only carries it whole into copies.
CREATE TABLE [Documents] (
    [Document Index]  INTEGER PRIMARY KEY AUTOINCREMENT,
    [Title]           VARCHAR(100) COLLATE NOCASE DEFAULT '',
    [File Name]       VARCHAR(255) COLLATE NOCASE DEFAULT ''
);
