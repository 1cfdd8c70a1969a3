-- What a component is matched on: a quote and brackets in the name, a
-- supplier code and order that differ (matched), a [Reals6] one single
-- step apart (added), a kind no grid shows, a name and code that differ in
-- case and trailing blanks (letters beyond A to Z too), a missing [Item
-- Type] against blanks.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Supplier Code], [Order]) VALUES (90, 2, 'Joe''s [big] valve', 'AB', 1);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Reals6]) VALUES (91, 2, 'Gate valve', 1.5);
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (92, 5, 'Odd kind');
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code]) VALUES (93, 3, 'case valve', 'wh1  ');
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Item Type]) VALUES (94, 8, 'Tee', NULL);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code]) VALUES (95, 4, 'Ørsted ventil', 'øv-1');
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
-- source
INSERT INTO [Components] ([Database Number], [Description], [Supplier Code], [Order]) VALUES (2, 'Joe''s [big] valve', 'XY', 9);
INSERT INTO [Components] ([Database Number], [Description], [Reals6]) VALUES (2, 'Gate valve', 1.50000012);
INSERT INTO [Components] ([Database Number], [Description]) VALUES (5, 'Odd kind');
INSERT INTO [Components] ([Database Number], [Description], [Warehouse Code]) VALUES (3, 'CASE VALVE', 'WH1');
INSERT INTO [Components] ([Database Number], [Description]) VALUES (8, 'Tee');
INSERT INTO [Components] ([Database Number], [Description], [Warehouse Code]) VALUES (4, 'ØRSTED VENTIL', 'ØV-1 ');
INSERT INTO [Components] ([Database Number], [Description]) VALUES (8, 'Fitting');
