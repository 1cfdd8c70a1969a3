-- A source whose tables are all empty: only the section headers.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 2, 'Existing');
INSERT INTO [PipeTable] ([Type]) VALUES ('PE');
-- source
