-- Columns the source leaves empty (NULL) arrive empty, not as a value:
-- in a pipe type, a supplier, a tape and its tape row, an assembly and its
-- item row.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
-- source
INSERT INTO [PipeTable] ([Type], [Gender], [Fitting1], [Bend Angle]) VALUES ('PE', NULL, NULL, NULL);
INSERT INTO [Suppliers] ([Description], [Code], [Base Price], [Multiplier A]) VALUES ('Acme', 'AC', NULL, NULL);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags], [Usage], [Reals7], [Symbol File], [Order]) VALUES (1, 1, 'Drip', 2, NULL, NULL, NULL, NULL);
INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type], [Reals1], [Reals2]) VALUES (1, NULL, 0.5, NULL);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (2, 14, 'Kit', 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (2, 1, NULL);
