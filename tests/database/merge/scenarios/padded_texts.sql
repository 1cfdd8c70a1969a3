-- Texts stored two ways: a source row padded with blanks matches the target's
-- row without them; rows added are stored with every text padded to its
-- column's width (a text the source left null too); the report names each
-- component without the blanks.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code]) VALUES (100, 2, 'Gate valve', 'GV');
-- source
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code]) VALUES (10, 2, 'Gate valve          ', 'GV   ');
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code], [Supplier Code], [Usage]) VALUES (11, 2, 'Ball valve', 'BV', 'AB', 'Y');
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Warehouse Code]) VALUES (12, 2, 'Check valve                                       ', NULL);
