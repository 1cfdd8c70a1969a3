-- Two assemblies that hold each other: the second visit of the first finds
-- the copy already added.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
-- source
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (50, 14, 'Cycle A', 1);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (51, 14, 'Cycle B', 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (50, 51, 1);
INSERT INTO [Assemblies] ([Assembly Key], [Item Key], [Number/Length]) VALUES (51, 50, 1);
