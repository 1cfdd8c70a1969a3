-- An assembly with an item missing from the source (kept with its other
-- item) and an assembly that lists itself (removed again).
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
-- source
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (30, 14, 'Kit', 1);
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (31, 2, 'Valve V');
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (32, 14, 'Self kit', 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (30, 31, 2);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (30, 99, 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (32, 31, 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (32, 32, 1);
