-- An assembly holding an assembly that holds a tape: each brings its own
-- rows.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
-- source
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (40, 14, 'Outer kit', 1);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (41, 14, 'Inner kit', 1);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (42, 1, 'Drip tape', 2);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (40, 41, 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (41, 42, 25);
INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type]) VALUES (42, 'EQ');
