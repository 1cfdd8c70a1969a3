-- A pipe type equal to the target's, one with the same [Type] but another
-- value (a conflict: not added), and a new one.
-- target
INSERT INTO [PipeTable] ([Type], [Gender], [Rounding]) VALUES ('PE', 'M', 0.5);
INSERT INTO [PipeTable] ([Type], [Gender], [Rounding]) VALUES ('PVC', 'M', 2.0);
-- source
INSERT INTO [PipeTable] ([Type], [Gender], [Rounding]) VALUES ('PE', 'M', 0.5);
INSERT INTO [PipeTable] ([Type], [Gender], [Rounding]) VALUES ('PVC', 'M', 2.5);
INSERT INTO [PipeTable] ([Type], [Gender], [Rounding]) VALUES ('LDPE', 'F', 0);
