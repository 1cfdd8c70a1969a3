-- A source whose [Warehouse Code] is wider than the target's: nothing is
-- merged.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
-- source
ALTER TABLE Components ALTER COLUMN [Warehouse Code] Text(40);
INSERT INTO [Components] ([Database Number], [Description], [Warehouse Code]) VALUES (2, 'Long code', 'ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789');
INSERT INTO [PipeTable] ([Type]) VALUES ('PE');
